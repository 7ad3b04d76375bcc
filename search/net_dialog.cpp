#include "search/net_dialog.h"

#include <QFont>
#include <QKeyEvent>
#include <QPalette>

#include "search/dialog_style.h"
#include "search/error_handler.h"
#include "search/net_search.h"
#include "search/session.h"

namespace vantrel {

Tfrm_Net::Tfrm_Net(Session& session, QWidget* parent) : SearchDialog(session, parent) {
  setObjectName(QStringLiteral("frm_Net"));
  setWindowTitle(QStringLiteral("frm_Net"));
  setFont(PixelFont("MS Sans Serif", 11, false));
  PaintBlack(this);
  setFixedSize(273, 251);
  move(406, 246);

  Panel1_ = new QWidget(this);
  Panel1_->setObjectName(QStringLiteral("Panel1"));
  Panel1_->setGeometry(24, 32, 225, 121);
  PaintBlack(Panel1_);

  Label2_ = new QLabel(QStringLiteral("Net:"), Panel1_);
  Label2_->setObjectName(QStringLiteral("Label2"));
  Label2_->setFont(PixelFont("宋体", 16, true));
  Label2_->setStyleSheet(QStringLiteral("color: #ff0000;"));
  Label2_->move(32, 48);
  Label2_->adjustSize();

  Edit1_ = new QLineEdit(Panel1_);
  Edit1_->setObjectName(QStringLiteral("Edit1"));
  Edit1_->setGeometry(80, 48, 121, 21);
  Edit1_->installEventFilter(this);
  AddField(Edit1_);

  ok_ = AddButton(this, "ok", "OK", 32, 176);
  Button2_ = AddButton(this, "Button2", "Cancel", 168, 176);  // has no action

  connect(ok_, &QPushButton::clicked, this, &Tfrm_Net::okClick);
}

bool Tfrm_Net::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1_ && event->type() == QEvent::KeyPress &&
      Edit1KeyPress(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return SearchDialog::eventFilter(watched, event);
}

bool Tfrm_Net::Edit1KeyPress(const QKeyEvent& key) {
  if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
  ok_->click();
  return true;
}

void Tfrm_Net::okClick() {
  RunHandler(session_, [&] {
    if (!session_.HasBoard()) return;
    NetSearch(session_, FieldText(1));
    hide();
  });
}

}  // namespace vantrel
