// The "Keys and mouse" window of the Help menu: every key and gesture of the
// main window and the search dialogs in one table. It reads and changes
// nothing.
#pragma once

#include <QTableWidget>
#include <QWidget>

namespace vantrel {

class KeysWindow : public QWidget {
 public:
  explicit KeysWindow(QWidget* parent = nullptr);
  const QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace vantrel
