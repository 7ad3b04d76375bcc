#include "search/device_dialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "search/device_search.h"
#include "search/dialog_style.h"
#include "search/error_handler.h"
#include "search/overview_window.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr int kWidth = 281;
constexpr int kHeight = 257;

}  // namespace

TFrm_Parts::TFrm_Parts(Session& session, QWidget* parent) : SearchDialog(session, parent) {
  setObjectName(QStringLiteral("Frm_Parts"));
  setWindowTitle(QStringLiteral("Device"));
  setFont(PixelFont("MS Sans Serif", 11, false));
  PaintBlack(this);
  setFixedSize(kWidth, kHeight);
  CentreOnScreen(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(16, 14, 241, 150);
  PaintBlack(Panel1);

  // The captions are drawn in a Chinese face, as the window was designed.
  auto label = [this](const char* name, const char* caption, int y, QColor color) {
    auto* l = new QLabel(QString::fromLatin1(caption), Panel1);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(PixelFont("宋体", 16, true));
    SetColor(l, QPalette::WindowText, color);
    l->move(24, y);
    l->adjustSize();
    return l;
  };
  Label1 = label("Label1", "Part(1)", 24, Qt::white);
  Label2 = label("Label2", "Part(2)", 64, Qt::red);
  Label3 = label("Label3", "Part(3)", 104, Qt::cyan);  // aqua

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
  Button2 = button("Button2", "Cancel", 168);

  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, ok);
  setTabOrder(ok, Button2);

  connect(ok, &QPushButton::clicked, this, &TFrm_Parts::okClick);
  connect(Button2, &QPushButton::clicked, this, &TFrm_Parts::Button2Click);
  // Edit1KeyPress, Edit2KeyPress, Edit3KeyPress: Enter clicks OK.
  for (QLineEdit* e : {Edit1, Edit2, Edit3}) connect(e, &QLineEdit::returnPressed, ok, &QPushButton::click);
}

void TFrm_Parts::okClick() {
  RunHandler(session_, [&] {
    Session& s = session_;
    if (!s.HasBoard()) return;
    DeviceNames names;
    for (int slot = 0; slot < 3; ++slot) names.slot[slot] = FieldText(slot + 1);
    s.ClearHeader();
    MarkDevices(s, Side::Top, names, DeviceForm::Search);
    MarkDevices(s, Side::Bottom, names, DeviceForm::Search);
    if (s.overview) s.overview->ShowDeviceOverview(s.Image1Visible ? Side::Top : Side::Bottom, names.slot[0]);
    s.HighlightMode = hmDevice;
    hide();
  });
}

void TFrm_Parts::Button2Click() { hide(); }

}  // namespace vantrel
