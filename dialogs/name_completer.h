// Completion for a search dialog's field: as the user types, a popup lists
// the names of one kind that the board holds and that contain the text typed
// (search/name_suggestions.h). The names are looked up once typing pauses,
// by a scan of the board files; the arrow keys and Enter, or a click, pick
// one into the field. Enter while the popup is open only picks.
#pragma once

#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>
#include <QTimer>

#include "search/name_suggestions.h"
#include "search/session.h"

namespace vantrel {

class NameCompleter : public QObject {
  Q_OBJECT

 public:
  // How long typing must pause before the names are looked up.
  static constexpr int kPauseMilliseconds = 150;

  NameCompleter(const Session& session, SearchKind kind, QLineEdit* field);

  // Looks the names up now for the text the field holds, if an edit waits.
  void CompleteNow();
  bool popupVisible() const;
  // The names the popup shows, or none while it is closed.
  QStringList shown() const;
  // Where a key the user types goes: the popup while it is open, else the field.
  QWidget* keyTarget() const;

 private:
  void Complete();

  const Session& session_;
  SearchKind kind_;
  QLineEdit* field_;
  QStringListModel names_;
  QCompleter completer_;
  QTimer pause_;
};

}  // namespace vantrel
