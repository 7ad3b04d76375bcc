#include "search/comp_dialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "search/comp_pin_search.h"
#include "search/error_handler.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr int kWidth = 281;
constexpr int kHeight = 257;

QFont PixelFont(const char* family, int pixels, bool boldItalic) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(boldItalic);
  font.setItalic(boldItalic);
  return font;
}

void PaintBlack(QWidget* widget) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::black);
  widget->setPalette(palette);
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, int x, int y) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, y, 75, 25);
  button->setFont(PixelFont("隶书", 14, true));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFrm_Comp::TFrm_Comp(Session& session, QWidget* parent) : SearchDialog(session, parent) {
  setObjectName(QStringLiteral("Frm_Comp"));
  setWindowTitle(QStringLiteral("Component Pin"));
  setFont(PixelFont("MS Sans Serif", 11, false));
  PaintBlack(this);
  setFixedSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->geometry();
    move(desk.x() + (desk.width() - kWidth) / 2, desk.y() + (desk.height() - kHeight) / 2);
  }

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
