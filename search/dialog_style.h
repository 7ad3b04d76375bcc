// The look the four search dialogs share: fonts in pixels, black panels,
// buttons in the dialogs' Chinese face, placement in the middle of the screen.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace vantrel {

inline QFont PixelFont(const char* family, int pixels, bool boldItalic) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(boldItalic);
  font.setItalic(boldItalic);
  return font;
}

inline void SetColor(QWidget* widget, QPalette::ColorRole role, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

inline void PaintBlack(QWidget* widget) {
  widget->setAutoFillBackground(true);
  SetColor(widget, QPalette::Window, Qt::black);
}

// A 75 x 25 button that never acts as a default button.
inline QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, int x, int y) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, y, 75, 25);
  button->setFont(PixelFont("隶书", 14, true));
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

inline void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->geometry();
    window->move(desk.x() + (desk.width() - window->width()) / 2,
                 desk.y() + (desk.height() - window->height()) / 2);
  }
}

}  // namespace vantrel
