// What the four modeless search dialogs share, and the one builder that makes
// them from a table of their designed controls: a black panel of captions and
// edit fields, an OK button and a Cancel button that hides the dialog. Texts in
// the fields are bytes, one character per byte, as in the board files.
//
// A dialog is a plain top-level widget with the dialog flag rather than a
// QDialog, so that Enter in a field runs okClick once and only through the
// field's own handler, never through a default button. Each dialog is created
// once at start and only shown and hidden; its fields keep their texts while
// it is hidden, and the main window's Redraw reads them from here each time.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/name_completer.h"
#include "search/error_handler.h"
#include "search/name_suggestions.h"
#include "search/session.h"

namespace vantrel {

// One caption and the edit field beside it; the controls are named LabelN and
// EditN as designed.
struct DialogField {
  const char* labelName;
  std::string caption;
  QColor captionColour;
  QPoint captionAt;  // in the panel
  const char* editName;
  QPoint editAt;  // in the panel; every field is 121 x 21
};

struct DialogLayout {
  // The open/short and device dialogs share one design: three captions
  // `caption`(1) to (3) in the given colours beside three fields, OK and a
  // Cancel button named `cancelName` at column `cancelX`.
  static DialogLayout ThreeSlots(SearchKind kind, const char* objectName, const char* title,
                                 const char* caption, const std::array<QColor, 3>& colours,
                                 const char* cancelName, int cancelX);

  SearchKind kind;  // its search, and the names its fields offer
  const char* objectName;
  const char* title;
  QSize size;
  std::optional<QPoint> position;  // on the screen; nothing: centred
  QRect panel;
  std::vector<DialogField> fields;  // captions are Latin-1
  QPoint okAt;
  const char* cancelName;  // Button1 or Button2
  QPoint cancelAt;
  bool enterIsConsumed = false;  // the net dialog keeps Enter from going further
};

class SearchDialog : public QWidget {
  Q_OBJECT

 public:
  SearchDialog(Session& session, const ErrorHandler& handler, const DialogLayout& layout,
               QWidget* parent = nullptr);

  SearchKind kind() const { return kind_; }

  int fieldCount() const { return static_cast<int>(fields_.size()); }
  QLineEdit* field(int n) const { return fields_.at(static_cast<std::size_t>(n - 1)); }  // 1-based
  std::string FieldText(int n) const;
  void SetFieldText(int n, std::string_view bytes);
  void ClearFields();
  // Shows the dialog, or brings it forward when it is shown already, with the
  // cursor in its first field.
  void ShowDialog();

  // The texts of Edit1 to Edit3 (empty for fields the dialog does not have).
  SlotNames SlotTexts() const;

  NameCompleter* completer(int n) const { return completers_.empty() ? nullptr : completers_.at(n - 1); }

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  // Runs the dialog's search with the fields' texts through the error handler;
  // then the dialog hides. With no board chosen nothing happens and the dialog
  // stays open. An error stops it where it arose, with the mode unchanged and
  // the dialog still shown.
  void okClick();

 protected:
  // The search; false when there was no board to search.
  virtual bool Search() = 0;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape clicks Cancel.
  void keyPressEvent(QKeyEvent* event) override;
  Session& session_;

 private:
  const ErrorHandler& handler_;
  SearchKind kind_;
  std::vector<QLineEdit*> fields_;
  std::vector<NameCompleter*> completers_;  // one per field, owned by it
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool enterIsConsumed_ = false;
};

// Field texts as the program handles them: bytes 0..255.
std::string ToBytes(const QString& text);
QString FromBytes(std::string_view bytes);

}  // namespace vantrel
