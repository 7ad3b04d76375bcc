// Common ground of the four modeless search dialogs: their edit fields (texts
// are bytes, one character per byte, as in the board files), their OK and
// Cancel buttons, and how they are shown.
//
// A dialog is a plain top-level widget with the dialog flag rather than a
// QDialog, so that Enter in a field runs okClick once and only through the
// field's own handler, never through a default button.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct Session;

class SearchDialog : public QWidget {
  Q_OBJECT

 public:
  SearchDialog(Session& session, QWidget* parent = nullptr);

  int fieldCount() const { return static_cast<int>(fields_.size()); }
  QLineEdit* field(int n) const { return fields_.at(static_cast<std::size_t>(n - 1)); }  // 1-based
  std::string FieldText(int n) const;
  void SetFieldText(int n, std::string_view bytes);
  void ClearFields();
  // Shows the dialog, or brings it forward when it is shown already.
  void ShowDialog();

  virtual QPushButton* okButton() const = 0;
  virtual QPushButton* cancelButton() const = 0;

 protected:
  // Registers Edit1, Edit2, ... in order.
  void AddField(QLineEdit* edit) { fields_.push_back(edit); }
  Session& session_;

 private:
  std::vector<QLineEdit*> fields_;
};

// Field texts as the program handles them: bytes 0..255.
std::string ToBytes(const QString& text);
QString FromBytes(std::string_view bytes);

}  // namespace vantrel
