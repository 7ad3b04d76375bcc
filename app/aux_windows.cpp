#include "app/aux_windows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vantrel {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, const QString& color, int pixels,
                 bool bold = true, bool italic = false, bool underline = false,
                 const char* family = "MS Sans Serif") {
  auto* label = new QLabel(text, parent);
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  label->setFont(font);
  if (!color.isEmpty()) label->setStyleSheet(QStringLiteral("color: %1;").arg(color));
  label->move(x, y);
  label->adjustSize();
  return label;
}

QPushButton* AddOkButton(QWidget* window, int x, int y) {
  auto* button = new QPushButton(QStringLiteral("OK"), window);
  button->setObjectName(QStringLiteral("Button1"));
  button->setGeometry(x, y, 75, 25);
  QFont font(QStringLiteral("隶书"));
  font.setPixelSize(16);
  font.setBold(true);
  font.setItalic(true);
  button->setFont(font);
  QObject::connect(button, &QPushButton::clicked, window, &QWidget::hide);
  return button;
}

void CentreOnDesktop(QWidget* window, int width, int height) {
  window->setFixedSize(width, height);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->geometry();
    window->move(desk.x() + (desk.width() - width) / 2, desk.y() + (desk.height() - height) / 2);
  }
}

QWidget* AddPanel(QWidget* window, int x, int y, int width, int height, bool white) {
  auto* panel = new QWidget(window);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(x, y, width, height);
  if (white) {
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
  }
  return panel;
}

}  // namespace

Tfrm_content::Tfrm_content(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("frm_content"));
  setWindowTitle(QStringLiteral("Content"));
  CentreOnDesktop(this, 549, 473);
  QWidget* panel = AddPanel(this, 8, 8, 521, 385, false);

  const QString olive = QStringLiteral("#808000");
  AddLabel(panel, QStringLiteral("ACTION"), 32, 16, olive, 16, true, false, true);
  AddLabel(panel, QStringLiteral("KEYBOARD"), 208, 16, olive, 16, true, false, true);
  AddLabel(panel, QStringLiteral("MOUSE"), 384, 16, olive, 16, true, false, true);

  struct Row {
    int y;
    const char* action;
    const char* key;
    int keyY;
    const char* mouse;
    int mouseY;
  };
  const Row rows[] = {
      {56, "Zoom In", "+", 56, "Double-Left", 56}, {94, "Zoom Out", "-", 90, "Single-Right", 88},
      {132, "Change Side", "0", 133, "", 0},       {170, "Ask Point", "", 0, "Single-Left", 168},
      {208, "Reset", "/", 208, "", 0},             {246, "Up", "8", 248, "", 0},
      {284, "Down", "2", 280, "", 0},              {322, "Left", "4", 320, "", 0},
      {360, "Right", "6", 360, "", 0},
  };
  for (const Row& row : rows) {
    AddLabel(panel, QString::fromLatin1(row.action), 32, row.y, QString(), 13);
    if (*row.key) AddLabel(panel, QString::fromLatin1(row.key), 240, row.keyY, QStringLiteral("#ff0000"), 13);
    if (*row.mouse) AddLabel(panel, QString::fromLatin1(row.mouse), 384, row.mouseY, QStringLiteral("#008000"), 13);
  }
  Button1 = AddOkButton(this, 224, 408);
}

TFrm_About::TFrm_About(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("Frm_About"));
  setWindowTitle(QStringLiteral("About"));
  CentreOnDesktop(this, 501, 404);
  QWidget* panel = AddPanel(this, 8, 8, 473, 297, true);

  const QString maroon = QStringLiteral("#800000");
  AddLabel(panel, QStringLiteral("Vantrel"), 88, 24, maroon, 29, true, true);
  AddLabel(panel, QStringLiteral("A board viewer for test fixtures and repair"), 88, 64, maroon, 16);
  AddLabel(panel, QStringLiteral("VANTREL"), 88, 120, QStringLiteral("#008000"), 48, true, true, false,
           "Century Gothic");
  AddLabel(panel, QStringLiteral("Version 0.1"), 88, 196, QString(), 14);
  AddLabel(panel, QStringLiteral("Free software under the MIT licence"), 88, 218, QString(), 14);
  AddLabel(panel, QStringLiteral("https://example.invalid/vantrel"), 88, 240, QString(), 14);
  AddLabel(panel, QStringLiteral("Reads board files; never writes them"), 88, 262, QString(), 14);
  Button1 = AddOkButton(this, 200, 328);
}

}  // namespace vantrel
