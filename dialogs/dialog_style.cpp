#include "dialogs/dialog_style.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QVariant>

#include <algorithm>
#include <cmath>

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

namespace {

// A push button that Enter presses while it has the focus, as on the
// platform the windows were designed for; Space presses it too.
class Button : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace

QPushButton* NewButton(const QString& caption, QWidget* parent) { return new Button(caption, parent); }

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                       const QFont& font) {
  QPushButton* button = NewButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setFont(font);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

namespace {

constexpr const char* kDesignGeometry = "vantrelDesignGeometry";
constexpr const char* kDesignFontPixels = "vantrelDesignFontPixels";

int Scaled(int designPixels, double factor) { return static_cast<int>(std::lround(designPixels * factor)); }

}  // namespace

void KeepDesign(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    if (w->property(kDesignGeometry).isValid()) continue;
    w->setProperty(kDesignGeometry, w->geometry());
    if (w->testAttribute(Qt::WA_SetFont) && w->font().pixelSize() > 0) {
      w->setProperty(kDesignFontPixels, w->font().pixelSize());
    }
  }
}

void ScaleToFactor(QWidget* root, double factor) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    const QVariant geometry = w->property(kDesignGeometry);
    if (!geometry.isValid()) continue;
    const QRect design = geometry.toRect();
    // Edges scale, not lengths, so that widgets that share an edge at the
    // design size share it at every factor.
    const QPoint topLeft(Scaled(design.x(), factor), Scaled(design.y(), factor));
    const QSize size = w->isWindow() ? QSize(Scaled(design.width(), factor), Scaled(design.height(), factor))
                                     : QSize(Scaled(design.x() + design.width(), factor) - topLeft.x(),
                                             Scaled(design.y() + design.height(), factor) - topLeft.y());
    if (w->minimumWidth() == w->maximumWidth()) w->setFixedWidth(size.width());
    if (w->minimumHeight() == w->maximumHeight()) w->setFixedHeight(size.height());
    if (w->isWindow()) {
      w->resize(size);
    } else {
      w->setGeometry(QRect(topLeft, size));
    }
    if (const QVariant pixels = w->property(kDesignFontPixels); pixels.isValid()) {
      QFont font = w->font();
      font.setPixelSize(std::max(1, Scaled(pixels.toInt(), factor)));
      w->setFont(font);
    }
  }
}

void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->geometry();
    window->move(desk.x() + (desk.width() - window->width()) / 2,
                 desk.y() + (desk.height() - window->height()) / 2);
  }
}

}  // namespace vantrel
