#include "app/keys_window.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_style.h"

namespace vantrel {

namespace {

struct Row {
  const char* action;
  const char* keys;
  const char* mouse;
};

// UTF-8: the arrows and the menu path sign.
constexpr Row kRows[] = {
    {"Open a board", "File \xe2\x80\xba Open", "Drop a .brd file on the window"},
    {"Zoom in, board centred", "+, = or Page Up", ""},
    {"Zoom out, board centred", "- or Page Down", ""},
    {"Zoom in or out about the pointer", "", "Wheel away from you / towards you"},
    {"Zoom in about a point, centring it", "", "Double click (left)"},
    {"Move the view left / right / up / down",
     "4 / 6 / 8 / 2 or \xe2\x86\x90 / \xe2\x86\x92 / \xe2\x86\x91 / \xe2\x86\x93",
     "Drag with the left button"},
    {"Return to the first view", "/ or Home", "Click (right)"},
    {"Mark a pin and its net", "", "Click (left) on the pin"},
    {"Name, net and part of a pin", "", "Rest the pointer on the pin"},
    {"Turn the board over", "0 or Space", ""},
    {"Open/short search (test nails)", "O", "Menu Open/Short"},
    {"Component pin search", "C", "Menu CompPin"},
    {"Device search", "D", "Menu Device"},
    {"Net search", "N", "Menu Nets"},
    {"Device overview window", "V", ""},
    {"Full screen", "F11", ""},
    {"Turn the pictures a quarter clockwise", "R", "View \xe2\x80\xba Rotate clockwise or counter-clockwise"},
    {"Mirror the pictures left to right", "M", "View \xe2\x80\xba Mirror"},
    {"Names of parts and pins on the board", "L", "View \xe2\x80\xba Names on the board"},
    {"Fit the whole board in the picture", "F", "View \xe2\x80\xba Fit board"},
    {"Board browser: find, list, info panel", "B", "View \xe2\x80\xba Board browser"},
    {"Find a part, net, nail or pin", "Ctrl+F", "View \xe2\x80\xba Find\xe2\x80\xa6"},
    {"Browser: show a row on the board", "Enter", "Double click the row"},
    {"Browser: copy the info panel", "Ctrl+C in the panel", ""},
    {"Export the picture shown (PNG or PDF)", "File \xe2\x80\xba Export picture\xe2\x80\xa6", ""},
    {"Print the picture shown", "File \xe2\x80\xba Print\xe2\x80\xa6", ""},
    {"Copy the picture and the header lines", "Ctrl+C on the pictures, Edit \xe2\x80\xba Copy", ""},
    {"Search field: pick a suggestion", "\xe2\x86\x91 \xe2\x86\x93 then Enter", "Click it"},
    {"Search field: search", "Enter", "OK"},
    {"Close a search dialog or a Help window", "Escape", "Cancel, OK or the close box"},
};

}  // namespace

KeysWindow::KeysWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("Keys"));
  setWindowTitle(QStringLiteral("Keys and mouse"));
  table_ = new QTableWidget(static_cast<int>(std::size(kRows)), 3, this);
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("Action"), QStringLiteral("Keyboard"), QStringLiteral("Mouse")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  for (int r = 0; r < table_->rowCount(); ++r) {
    const Row& row = kRows[r];
    int column = 0;
    for (const char* text : {row.action, row.keys, row.mouse}) {
      table_->setItem(r, column++, new QTableWidgetItem(QString::fromUtf8(text)));
    }
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);

  ok_ = NewButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("ok"));
  connect(ok_, &QPushButton::clicked, this, &QWidget::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(ok_, 0, Qt::AlignRight);

  int width = table_->verticalHeader()->width() + 4;
  for (int c = 0; c < table_->columnCount(); ++c) width += table_->columnWidth(c);
  const int height = table_->horizontalHeader()->height() + table_->rowCount() * table_->rowHeight(0) + 4;
  table_->setMinimumSize(width, height);
}

void KeysWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return ok_->click();
  QWidget::keyPressEvent(event);
}

}  // namespace vantrel
