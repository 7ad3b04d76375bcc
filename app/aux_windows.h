// The two static windows of the Help menu: the table of keys and mouse
// gestures (Tfrm_content) and the about window (TFrm_About). Their OK buttons
// (Button1) hide them; they read and change nothing else.
#pragma once

#include <QKeyEvent>
#include <QPushButton>
#include <QSize>
#include <QWidget>

namespace vantrel {

// A fixed-size window centred on the desktop with a panel (Panel1) for its
// contents and an OK button that hides it, as Escape does.
class StaticWindow : public QWidget {
 public:
  void Button1Click() { hide(); }
  // Remembers the window's design layout, once it is built.
  void EnsureDesignKept();
  // Lays the window out at `factor` times its design size (see ScaleToFactor),
  // each label as wide as its text in the font of that size.
  void SetFactor(double factor);
  QPushButton* Button1 = nullptr;

 protected:
  StaticWindow(const char* name, const char* title, QSize size, QRect panel, QPoint okAt, QWidget* parent);
  QWidget* panel() const { return panel_; }
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* panel_ = nullptr;
};

class Tfrm_content : public StaticWindow {
 public:
  explicit Tfrm_content(QWidget* parent = nullptr);
};

class TFrm_About : public StaticWindow {
 public:
  explicit TFrm_About(QWidget* parent = nullptr);
};

}  // namespace vantrel
