#include "dialogs/dialog_style.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace vantrel {

QFont PixelFont(const char* family, int pixels, bool bold, bool italic, bool underline) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

void SetTextColor(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

void SetBackground(QWidget* widget, QColor color) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                       const QFont& font) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setFont(font);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->geometry();
    window->move(desk.x() + (desk.width() - window->width()) / 2,
                 desk.y() + (desk.height() - window->height()) / 2);
  }
}

}  // namespace vantrel
