// The two static windows of the Help menu: the table of keys and mouse
// gestures (Tfrm_content) and the about window (TFrm_About). Their OK buttons
// hide them; they read and change nothing else.
#pragma once

#include <QPushButton>
#include <QWidget>

#include <optional>

namespace vantrel {

class Tfrm_content : public QWidget {
  Q_OBJECT
 public:
  explicit Tfrm_content(QWidget* parent = nullptr);
  void Button1Click() { hide(); }
  QPushButton* Button1 = nullptr;
};

class TFrm_About : public QWidget {
  Q_OBJECT
 public:
  explicit TFrm_About(QWidget* parent = nullptr);
  void Button1Click() { hide(); }
  QPushButton* Button1 = nullptr;
};

}  // namespace vantrel
