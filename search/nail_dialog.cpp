#include "search/nail_dialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "search/dialog_style.h"
#include "search/error_handler.h"
#include "search/open_short_search.h"
#include "search/session.h"

namespace vantrel {

TFrm_Nail::TFrm_Nail(Session& session, QWidget* parent) : SearchDialog(session, parent) {
  setObjectName(QStringLiteral("Frm_Nail"));
  setWindowTitle(QStringLiteral("Open/Short"));
  setFont(PixelFont("MS Sans Serif", 11, false));
  setAutoFillBackground(true);
  SetColor(this, QPalette::Window, Qt::black);
  setFixedSize(281, 257);
  CentreOnScreen(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(16, 14, 241, 150);

  // The labels are drawn in a Chinese face, as the window was designed.
  auto label = [this](const char* name, const char* caption, int y, QColor color) {
    auto* l = new QLabel(QString::fromLatin1(caption), Panel1);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(PixelFont("宋体", 16, true));
    SetColor(l, QPalette::WindowText, color);
    l->move(24, y);
    l->adjustSize();
    return l;
  };
  Label1 = label("Label1", "Pin(1)", 24, Qt::white);
  Label2 = label("Label2", "Pin(2)", 64, Qt::red);
  Label3 = label("Label3", "Pin(3)", 104, Qt::yellow);

  auto edit = [this](const char* name, int y) {
    auto* e = new QLineEdit(Panel1);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(96, y, 121, 21);
    AddField(e);
    return e;
  };
  Edit1 = edit("Edit1", 24);
  Edit2 = edit("Edit2", 64);
  Edit3 = edit("Edit3", 104);

  auto button = [this](const char* name, const char* caption, int x) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 184, 75, 25);
    b->setFont(PixelFont("隶书", 14, true));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
  };
  ok = button("ok", "OK", 32);
  Button1 = button("Button1", "Cancel", 160);

  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, ok);
  setTabOrder(ok, Button1);

  connect(ok, &QPushButton::clicked, this, &TFrm_Nail::okClick);
  connect(Button1, &QPushButton::clicked, this, &TFrm_Nail::Button1Click);
  // Edit1KeyPress, Edit2KeyPress, Edit3KeyPress: Enter clicks OK.
  for (QLineEdit* e : {Edit1, Edit2, Edit3}) connect(e, &QLineEdit::returnPressed, ok, &QPushButton::click);
}

void TFrm_Nail::okClick() {
  RunHandler(session_, [&] {
    Session& s = session_;
    if (!s.HasBoard()) return;
    NailNames names;
    for (int slot = 0; slot < 3; ++slot) names.slot[slot] = FieldText(slot + 1);
    s.ClearHeader();
    RunLayerPasses(s, Variant::Dialog, PassOrder::LayerByLayer);
    RunOpenShortPasses(s, names, PassForm::Dialog);
    s.HighlightMode = hmOpenShort;
    hide();
  });
}

void TFrm_Nail::Button1Click() { hide(); }

}  // namespace vantrel
