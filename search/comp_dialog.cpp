#include "search/comp_dialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "search/comp_pin_search.h"
#include "search/dialog_style.h"
#include "search/error_handler.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr int kWidth = 281;
constexpr int kHeight = 257;

}  // namespace

TFrm_Comp::TFrm_Comp(Session& session, QWidget* parent) : SearchDialog(session, parent) {
  setObjectName(QStringLiteral("Frm_Comp"));
  setWindowTitle(QStringLiteral("Component Pin"));
  setFont(PixelFont("MS Sans Serif", 11, false));
  PaintBlack(this);
  setFixedSize(kWidth, kHeight);
  CentreOnScreen(this);

  Panel1_ = new QWidget(this);
  Panel1_->setObjectName(QStringLiteral("Panel1"));
  Panel1_->setGeometry(16, 24, 241, 121);
  PaintBlack(Panel1_);

  Label2_ = new QLabel(QStringLiteral("Pin:"), Panel1_);
  Label2_->setObjectName(QStringLiteral("Label2"));
  Label2_->setFont(PixelFont("宋体", 16, true));
  Label2_->setStyleSheet(QStringLiteral("color: #ff0000;"));
  Label2_->move(40, 48);
  Label2_->adjustSize();

  Edit1_ = new QLineEdit(Panel1_);
  Edit1_->setObjectName(QStringLiteral("Edit1"));
  Edit1_->setGeometry(88, 48, 121, 21);
  AddField(Edit1_);

  ok_ = AddButton(this, "ok", "OK", 32, 176);
  Button2_ = AddButton(this, "Button2", "Cancel", 168, 176);

  connect(Edit1_, &QLineEdit::returnPressed, this, &TFrm_Comp::Edit1KeyPress);
  connect(ok_, &QPushButton::clicked, this, &TFrm_Comp::okClick);
  connect(Button2_, &QPushButton::clicked, this, &TFrm_Comp::Button2Click);
}

void TFrm_Comp::Edit1KeyPress() { ok_->click(); }

void TFrm_Comp::okClick() {
  RunHandler(session_, [&] {
    if (!session_.HasBoard()) return;
    CompPinSearch(session_, FieldText(1));
    hide();
  });
}

void TFrm_Comp::Button2Click() { hide(); }

}  // namespace vantrel
