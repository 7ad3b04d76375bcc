// The "Keys and mouse" window of the Help menu: every key and gesture of the
// main window and the search dialogs in one table. Its OK button and Escape
// hide it; it reads and changes nothing.
#pragma once

#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

namespace vantrel {

class KeysWindow : public QWidget {
 public:
  explicit KeysWindow(QWidget* parent = nullptr);
  const QTableWidget* table() const { return table_; }
  QPushButton* okButton() const { return ok_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTableWidget* table_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace vantrel
