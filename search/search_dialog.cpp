#include "search/search_dialog.h"

namespace vantrel {

std::string ToBytes(const QString& text) {
  const QByteArray latin1 = text.toLatin1();
  return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

QString FromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

SearchDialog::SearchDialog(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Dialog), session_(session) {}

std::string SearchDialog::FieldText(int n) const { return ToBytes(field(n)->text()); }

void SearchDialog::SetFieldText(int n, std::string_view bytes) { field(n)->setText(FromBytes(bytes)); }

void SearchDialog::ClearFields() {
  for (QLineEdit* edit : fields_) edit->clear();
}

void SearchDialog::ShowDialog() {
  show();
  raise();
  activateWindow();
}

}  // namespace vantrel
