#include "dialogs/search_dialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

#include "dialogs/dialog_style.h"
#include "search/error_handler.h"

namespace vantrel {

namespace {

constexpr QSize kFieldSize(121, 21);
constexpr QSize kButtonSize(75, 25);

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

std::string ToBytes(const QString& text) {
  const QByteArray latin1 = text.toLatin1();
  return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

QString FromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

DialogLayout DialogLayout::ThreeSlots(SearchKind kind, const char* objectName, const char* title,
                                      const char* caption, const std::array<QColor, 3>& colours,
                                      const char* cancelName, int cancelX) {
  DialogLayout layout{kind, objectName, title,      {281, 257},    std::nullopt, {16, 14, 241, 150},
                      {},   {32, 184},  cancelName, {cancelX, 184}};
  for (int n = 1; n <= 3; ++n) {
    const int y = 24 + 40 * (n - 1);
    static const char* const kLabels[] = {"Label1", "Label2", "Label3"};
    static const char* const kEdits[] = {"Edit1", "Edit2", "Edit3"};
    layout.fields.push_back({kLabels[n - 1],
                             std::string(caption) + "(" + std::to_string(n) + ")",
                             colours[n - 1],
                             {24, y},
                             kEdits[n - 1],
                             {96, y}});
  }
  return layout;
}

SearchDialog::SearchDialog(Session& session, const ErrorHandler& handler, const DialogLayout& layout,
                           QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      session_(session),
      handler_(handler),
      kind_(layout.kind),
      enterIsConsumed_(layout.enterIsConsumed) {
  setObjectName(QString::fromLatin1(layout.objectName));
  setWindowTitle(QString::fromLatin1(layout.title));
  setFont(PixelFont("MS Sans Serif", 11));
  SetBackground(this, Qt::black);
  setFixedSize(layout.size);
  if (layout.position) {
    move(*layout.position);
  } else {
    CentreOnScreen(this);
  }

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(layout.panel);
  SetBackground(panel, Qt::black);

  // The captions are drawn in a Chinese face, as the windows were designed.
  for (const DialogField& f : layout.fields) {
    auto* caption = new QLabel(FromBytes(f.caption), panel);
    caption->setObjectName(QString::fromLatin1(f.labelName));
    caption->setFont(PixelFont("宋体", 16, true, true));
    SetTextColor(caption, f.captionColour);
    caption->move(f.captionAt);
    caption->adjustSize();

    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QString::fromLatin1(f.editName));
    edit->setGeometry(QRect(f.editAt, kFieldSize));
    // Edit1KeyPress, Edit2KeyPress, ...: Enter clicks OK.
    edit->installEventFilter(this);
    fields_.push_back(edit);
    // Each field offers the board's names of the dialog's search as the user types.
    completers_.push_back(new NameCompleter(session_, kind_, edit));
  }

  const QFont buttonFont = PixelFont("隶书", 14, true, true);
  ok_ = AddButton(this, "ok", "OK", QRect(layout.okAt, kButtonSize), buttonFont);
  cancel_ = AddButton(this, layout.cancelName, "Cancel", QRect(layout.cancelAt, kButtonSize), buttonFont);
  for (std::size_t i = 1; i < fields_.size(); ++i) setTabOrder(fields_[i - 1], fields_[i]);
  setTabOrder(fields_.back(), ok_);
  setTabOrder(ok_, cancel_);

  connect(ok_, &QPushButton::clicked, this, &SearchDialog::okClick);
  connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
  KeepDesign(this);
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event) {
  if (!IsEnter(event)) return QWidget::eventFilter(watched, event);
  const auto field = std::find(fields_.begin(), fields_.end(), watched);
  const auto index = static_cast<std::size_t>(field - fields_.begin());
  // Enter in an open list of names picks one, and is the list's alone.
  if (index < completers_.size() && completers_[index]->popupVisible()) {
    return QWidget::eventFilter(watched, event);
  }
  if (field != fields_.end()) {
    ok_->click();
    if (enterIsConsumed_) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void SearchDialog::okClick() {
  handler_.Run([&] {
    if (Search()) hide();
  });
}

SlotNames SearchDialog::SlotTexts() const {
  SlotNames texts;
  for (int n = 1; n <= std::min(fieldCount(), 3); ++n) texts[n - 1] = FieldText(n);
  return texts;
}

std::string SearchDialog::FieldText(int n) const { return ToBytes(field(n)->text()); }

void SearchDialog::SetFieldText(int n, std::string_view bytes) { field(n)->setText(FromBytes(bytes)); }

void SearchDialog::ClearFields() {
  for (QLineEdit* edit : fields_) edit->clear();
}

void SearchDialog::ShowDialog() {
  show();
  raise();
  activateWindow();
  field(1)->setFocus(Qt::OtherFocusReason);
}

// Escape reaches the dialog from whichever of its controls has the focus,
// unless an open list of names took it to close itself.
void SearchDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return cancel_->click();
  QWidget::keyPressEvent(event);
}

}  // namespace vantrel
