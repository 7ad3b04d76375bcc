// How the program's windows are built: fonts sized in pixels, text and
// background colours by palette, buttons that never act as default buttons
// but take Enter when focused, and placement in the middle of the screen.
// Every window of the program uses these, so that they look and behave alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace vantrel {

// A font of `pixels` pixels. Family names are UTF-8 ("宋体" for SimSun).
QFont PixelFont(const char* family, int pixels, bool bold = false, bool italic = false,
                bool underline = false);

void SetTextColor(QWidget* widget, QColor color);
// Fills the widget's background with `color`.
void SetBackground(QWidget* widget, QColor color);

// A push button that Enter presses while it has the focus, as Space does.
QPushButton* NewButton(const QString& caption, QWidget* parent);

// A button as NewButton makes it, named `name` (its designer name), that never
// acts as a default button, in the given bold italic face.
QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                       const QFont& font);

// Moves a top-level window to the middle of the primary screen.
void CentreOnScreen(QWidget* window);

// Windows are built at design size; these lay them out at any factor. KeepDesign
// remembers the design geometry and font size of `root` and every widget in
// it (once: later calls keep the first values); ScaleToFactor then sets each
// to `factor` times its design geometry and font size, keeping fixed sizes
// fixed. A top-level window keeps its place on the screen.
void KeepDesign(QWidget* root);
void ScaleToFactor(QWidget* root, double factor);

}  // namespace vantrel
