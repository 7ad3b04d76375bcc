#include "app/aux_windows.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <optional>
#include <string>

#include "app/start_up.h"
#include "dialogs/dialog_style.h"

namespace vantrel {

namespace {

const QColor kOlive(0x80, 0x80, 0x00);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

// Sizes a label to its text in its own font. The label's size hint stops at
// the text's advance, which cuts the last letter of an italic or bold face
// whose ink reaches past it; and a size scaled with the window does not
// follow the font, whose widths do not scale evenly. A line that the panel
// cannot hold at this size takes the largest smaller size that fits.
void FitToText(QLabel* label) {
  QFont font = label->font();
  const int room = label->parentWidget()->width() - label->x();
  for (;;) {
    const QFontMetrics metrics(font);
    const int width =
        std::max(metrics.horizontalAdvance(label->text()), metrics.boundingRect(label->text()).right() + 1);
    if (width <= room || font.pixelSize() <= 1) {
      label->setFont(font);
      label->resize(width, std::max(label->height(), metrics.height()));
      return;
    }
    font.setPixelSize(font.pixelSize() - 1);
  }
}

QLabel* AddLabel(QWidget* parent, const char* text, QPoint at, const QFont& font,
                 std::optional<QColor> color = std::nullopt) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(font);
  if (color) SetTextColor(label, *color);
  label->move(at);
  label->adjustSize();
  FitToText(label);
  return label;
}

}  // namespace

StaticWindow::StaticWindow(const char* name, const char* title, QSize size, QRect panel, QPoint okAt,
                           QWidget* parent)
    : QWidget(parent, Qt::Dialog) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(QString::fromLatin1(title));
  setFixedSize(size);
  CentreOnScreen(this);
  panel_ = new QWidget(this);
  panel_->setObjectName(QStringLiteral("Panel1"));
  panel_->setGeometry(panel);
  Button1 = AddButton(this, "Button1", "OK", QRect(okAt, QSize(75, 25)), PixelFont("隶书", 16, true, true));
  connect(Button1, &QPushButton::clicked, this, &StaticWindow::Button1Click);
}

void StaticWindow::EnsureDesignKept() { KeepDesign(this); }

void StaticWindow::SetFactor(double factor) {
  ScaleToFactor(this, factor);
  for (QLabel* label : panel_->findChildren<QLabel*>()) FitToText(label);
}

void StaticWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return Button1->click();
  QWidget::keyPressEvent(event);
}

Tfrm_content::Tfrm_content(QWidget* parent)
    : StaticWindow("frm_content", "Content", {549, 473}, {8, 8, 521, 385}, {224, 408}, parent) {
  QWidget* panel = this->panel();

  const QFont heading = PixelFont("MS Sans Serif", 16, true, false, true);
  AddLabel(panel, "ACTION", {32, 16}, heading, kOlive);
  AddLabel(panel, "KEYBOARD", {208, 16}, heading, kOlive);
  AddLabel(panel, "MOUSE", {384, 16}, heading, kOlive);

  struct Row {
    int y;
    int keyY;
    int mouseY;
    const char* action;
    const char* key;
    const char* mouse;
  };
  const Row rows[] = {
      {56, 56, 56, "Zoom In", "+", "Double-Left"},
      // "-" zooms out, while a single right click returns to the home view.
      {94, 90, 88, "Zoom Out / Home", "-", "Single-Right"},
      {132, 133, 0, "Change Side", "0", ""},
      {170, 0, 168, "Ask Point", "", "Single-Left"},
      {208, 208, 0, "Reset", "/", ""},
      {246, 248, 0, "Up", "8", ""},
      {284, 280, 0, "Down", "2", ""},
      {322, 320, 0, "Left", "4", ""},
      {360, 360, 0, "Right", "6", ""},
  };
  const QFont cell = PixelFont("MS Sans Serif", 13, true);
  for (const Row& row : rows) {
    AddLabel(panel, row.action, {32, row.y}, cell);
    if (*row.key) AddLabel(panel, row.key, {240, row.keyY}, cell, Qt::red);
    if (*row.mouse) AddLabel(panel, row.mouse, {384, row.mouseY}, cell, kGreen);
  }
}

TFrm_About::TFrm_About(QWidget* parent)
    : StaticWindow("Frm_About", "About", {501, 404}, {8, 8, 473, 297}, {200, 328}, parent) {
  QWidget* panel = this->panel();
  SetBackground(panel, Qt::white);

  AddLabel(panel, "Vantrel", {88, 24}, PixelFont("MS Sans Serif", 29, true, true), kMaroon);
  AddLabel(panel, "A board viewer for test fixtures and repair", {88, 64},
           PixelFont("MS Sans Serif", 16, true), kMaroon);
  AddLabel(panel, "VANTREL", {88, 120}, PixelFont("Century Gothic", 48, true, true), kGreen);
  const QFont small = PixelFont("MS Sans Serif", 14, true);
  AddLabel(panel, (std::string("Version ") + ProgramVersion()).c_str(), {88, 196}, small);
  AddLabel(panel, "Free software under the MIT licence", {88, 218}, small);
  AddLabel(panel, "Manual: man vantrel", {88, 240}, small);
  AddLabel(panel, "Reads board files; never writes them", {88, 262}, small);
}

}  // namespace vantrel
