#include "dialogs/name_completer.h"

#include <QAbstractItemView>

#include "board/board_error.h"
#include "dialogs/search_dialog.h"

namespace vantrel {

NameCompleter::NameCompleter(const Session& session, SearchKind kind, QLineEdit* field)
    : QObject(field), session_(session), kind_(kind), field_(field) {
  completer_.setModel(&names_);
  // The names already contain the text: the popup shows them all, in order.
  completer_.setCompletionMode(QCompleter::PopupCompletion);
  completer_.setFilterMode(Qt::MatchContains);
  completer_.setCaseSensitivity(Qt::CaseInsensitive);
  completer_.setModelSorting(QCompleter::UnsortedModel);
  completer_.setMaxVisibleItems(12);
  completer_.setWidget(field);
  connect(&completer_, qOverload<const QString&>(&QCompleter::activated), field,
          [field](const QString& name) { field->setText(name); });

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, &NameCompleter::Complete);
  connect(field, &QLineEdit::textEdited, this, [this] { pause_.start(); });
}

void NameCompleter::CompleteNow() {
  if (pause_.isActive()) Complete();
}

// Names are not a command: a board that cannot be read offers none, and
// says why at the next search.
void NameCompleter::Complete() {
  pause_.stop();
  const std::string typed = ToBytes(field_->text());
  QStringList names;
  if (!typed.empty()) {
    try {
      for (const std::string& name : NameSuggestions(session_, kind_, typed)) names.append(FromBytes(name));
    } catch (const BoardError&) {
    }
  }
  names_.setStringList(names);
  if (names.isEmpty() || !field_->isVisible()) {
    completer_.popup()->hide();
    return;
  }
  completer_.popup()->setFont(field_->font());  // the field's size at the window's factor
  completer_.setCompletionPrefix(field_->text());
  completer_.complete(field_->rect());
  // The best name is picked unless the user moves to another.
  completer_.popup()->setCurrentIndex(completer_.completionModel()->index(0, 0));
}

QWidget* NameCompleter::keyTarget() const {
  if (popupVisible()) return completer_.popup();
  return field_;
}

bool NameCompleter::popupVisible() const { return completer_.popup()->isVisible(); }

QStringList NameCompleter::shown() const {
  QStringList names;
  if (!popupVisible()) return names;
  const QAbstractItemModel* model = completer_.completionModel();
  for (int row = 0; row < model->rowCount(); ++row) names.append(model->index(row, 0).data().toString());
  return names;
}

}  // namespace vantrel
