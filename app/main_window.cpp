#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <cmath>

#include "board/companion_file.h"
#include "search/comp_dialog.h"
#include "search/comp_pin_search.h"
#include "search/device_dialog.h"
#include "search/device_search.h"
#include "search/error_handler.h"
#include "search/nail_dialog.h"
#include "search/net_dialog.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/overview_window.h"
#include "search/point_inquiry.h"

namespace vantrel {

namespace {

constexpr int kClientWidth = 794;
constexpr int kClientHeight = 550;

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QFont PixelFont(const char* family, int pixels, bool bold = false) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

std::optional<std::string> AskForBoardFile(QWidget* parent) {
  const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                                    QStringLiteral("VANTREL (*.brd)"));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace

TFrm_Main::TFrm_Main(Session& session, double factor) : session_(session), factor_(factor) {
  setObjectName(QStringLiteral("Frm_Main"));
  setWindowTitle(QStringLiteral("Vantrel"));
  setAcceptDrops(true);
  chooseFile_ = [this] { return AskForBoardFile(this); };

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setAutoFillBackground(true);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, ToQColor(colors::kTeal));
  client->setPalette(palette);
  client->setFont(PixelFont("MS Sans Serif", Px(11)));
  client->setFixedSize(Px(kClientWidth), Px(kClientHeight));
  setCentralWidget(client);

  // Controls from bottom to top, so that later ones lie above earlier ones.
  image2_ = new ImageView(session_.Image2, factor_, client);
  image2_->setObjectName(QStringLiteral("Image2"));
  image2_->move(Px(5), Px(55));
  image1_ = new ImageView(session_.Image1, factor_, client);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->move(Px(5), Px(55));
  image3_ = new ImageView(session_.Image3, factor_, client);
  image3_->setObjectName(QStringLiteral("Image3"));
  image3_->move(Px(5), Px(0));
  label1_ = MakeHeaderLabel("Label1", 5, 0, 0);

  label3_ = new QLabel(QStringLiteral("VANTREL"), client);
  label3_->setObjectName(QStringLiteral("Label3"));
  label3_->setGeometry(Px(232), Px(176), Px(353), Px(81));
  label3_->setFont(PixelFont("Comic Sans MS", Px(48), true));
  label3_->setStyleSheet(QStringLiteral("color: #800000;"));

  label6_ = new QLabel(QStringLiteral("Board viewer for test fixtures and repair"), client);
  label6_->setObjectName(QStringLiteral("Label6"));
  label6_->setGeometry(Px(136), Px(288), Px(515), Px(29));
  label6_->setFont(PixelFont("MS Sans Serif", Px(24), true));
  label6_->setStyleSheet(QStringLiteral("color: #800000;"));

  label2_ = MakeHeaderLabel("Label2", 5, 16, 784);
  label4_ = MakeHeaderLabel("Label4", 5, 32, 784);

  auto pointer = [this](Side side) {
    ImageView::Handlers h;
    h.mouseDown = [this, side](ImageView::Button b, int x, int y) { ImageMouseDown(side, b, x, y); };
    h.mouseMove = [this, side](int x, int y) { ImageMouseMove(side, x, y); };
    h.dblClick = [this, side] { ImageDblClick(side); };
    return h;
  };
  image1_->setHandlers(pointer(Side::Top));
  image2_->setHandlers(pointer(Side::Bottom));

  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(QStringLiteral(" File"));
  auto item = [this](auto* parent, const char* name, const char* caption, void (TFrm_Main::*slot)()) {
    QAction* a = parent->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  open1_ = item(file, "open1", "Open", &TFrm_Main::open1Click);
  close1_ = item(file, "close1", "Close", &TFrm_Main::close1Click);
  exit1_ = item(file, "exit1", "Exit", &TFrm_Main::exit1Click);
  nail_ = item(bar, "Nail", " Open/Short ", &TFrm_Main::NailClick);
  comp_ = item(bar, "Comp", "CompPin ", &TFrm_Main::CompClick);
  parts_ = item(bar, "parts", "Device", &TFrm_Main::partsClick);
  nets_ = item(bar, "Nets", " Nets ", &TFrm_Main::NetsClick);
  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  content1_ = item(help, "Content1", "Content", &TFrm_Main::Content1Click);
  about1_ = item(help, "About1", "About", &TFrm_Main::About1Click);

  // FormCreate: the window at the top-left corner, the splash shown.
  adjustSize();
  move(0, 0);
  SetBoardShown(false);
  SetSearchItemsEnabled(false);
  session_.HighlightMode = hmNone;
  session_.CompanionFile = kCompanionName;
  session_.changed = [this] { SyncWithSession(); };
}

int TFrm_Main::Px(int designPixels) const {
  return static_cast<int>(std::lround(designPixels * factor_));
}

QLabel* TFrm_Main::MakeHeaderLabel(const char* name, int x, int y, int width) {
  auto* label = new QLabel(centralWidget());
  label->setObjectName(QString::fromLatin1(name));
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::red);
  label->setPalette(palette);
  label->setFont(PixelFont("MS Sans Serif", Px(13)));
  label->setTextFormat(Qt::PlainText);
  label->move(Px(x), Px(y));
  label->setFixedHeight(Px(16));
  if (width > 0) label->setFixedWidth(Px(width));
  return label;
}

QAction* TFrm_Main::menuAction(const std::string& name) const {
  if (name == "open/short") return nail_;
  if (name == "comppin") return comp_;
  if (name == "device") return parts_;
  if (name == "nets") return nets_;
  if (name == "content") return content1_;
  if (name == "about") return about1_;
  return nullptr;
}

void TFrm_Main::Handle(const std::function<void()>& handler) { RunHandler(session_, handler); }

void TFrm_Main::SetBoardShown(bool shown) {
  boardShown_ = shown;
  label3_->setVisible(!shown);
  label6_->setVisible(!shown);
}

void TFrm_Main::SetSearchItemsEnabled(bool enabled) {
  for (QAction* a : {nail_, comp_, parts_, nets_}) a->setEnabled(enabled);
}

void TFrm_Main::SyncWithSession() {
  // A header text can be a whole line of a board file; the label shows the
  // start of a very long one, the session keeps it whole.
  constexpr std::size_t kShownCharacters = 4000;
  auto show = [](QLabel* label, const std::string& text) {
    label->setText(FromBytes(std::string_view(text).substr(0, kShownCharacters)));
  };
  show(label1_, session_.Label1);
  show(label2_, session_.Label2);
  show(label4_, session_.Label4);
  label1_->adjustSize();
  label1_->setFixedHeight(Px(16));
  for (QLabel* label : {label1_, label2_, label4_}) label->setVisible(boardShown_);
  image3_->setVisible(boardShown_);
  image2_->setVisible(boardShown_);
  image1_->setVisible(session_.Image1Visible);
  for (QWidget* w : {static_cast<QWidget*>(image1_), static_cast<QWidget*>(image2_),
                     static_cast<QWidget*>(image3_)}) {
    w->update();
  }
}

void TFrm_Main::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  for (QChar c : text) {
    if (c.unicode() < 256) FormKeyPress(static_cast<char>(c.unicode()));
  }
}

void TFrm_Main::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() &&
      urls.front().toLocalFile().endsWith(QStringLiteral(".brd"), Qt::CaseInsensitive)) {
    event->acceptProposedAction();
  }
}

void TFrm_Main::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1) OpenBoard(urls.front().toLocalFile().toStdString());
}

void TFrm_Main::FormKeyPress(char key) {
  Handle([&] {
    ViewState& v = session_.view;
    const std::int64_t step = 80 * (static_cast<std::int64_t>(v.ZoomStep) + 1);
    auto pan = [&](std::int32_t& top, std::int32_t& bottom, std::int64_t by) {
      top = CheckedInt32(top + by);
      bottom = CheckedInt32(bottom + by);
      Redraw();
    };
    switch (key) {
      case '4':
      case '%':
        pan(v.TopOriginX, v.BottomOriginX, step);
        break;
      case '6':
      case '\'':
        pan(v.TopOriginX, v.BottomOriginX, -step);
        break;
      case '2':
      case '(':
        pan(v.TopOriginY, v.BottomOriginY, -step);
        break;
      case '8':
      case '&':
        pan(v.TopOriginY, v.BottomOriginY, step);
        break;
      case '-':
        if (v.Scale > 80) {
          v.ZoomStep -= 1;
          v.Scale -= 40;
          if (v.ZoomStep > 0) {
            v.MarkMargin -= 2;
            v.MarkRadius -= 1;
          }
          CentreOnBoard(v);
          Redraw();
        }
        break;
      case '+':
        if (v.Scale < 1000) {
          v.ZoomStep += 1;
          v.Scale += 40;
          if (v.ZoomStep != 1) {
            v.MarkMargin += 2;
            v.MarkRadius += 1;
          }
          CentreOnBoard(v);
          Redraw();
        }
        break;
      case '0':
      case ' ':
        session_.Image1Visible = !session_.Image1Visible;
        if (session_.HighlightMode != hmPoint) session_.ClearHeader();
        Redraw();
        break;
      case '/':
        // Before any board was chosen there is nothing to read.
        if (!session_.HasBoard()) break;
        RestoreHomeView(v);
        session_.HighlightMode = hmBoard;
        RunLayerPasses(session_, Variant::Main, PassOrder::SideAfterSide);
        session_.ClearHeader();
        break;
      case 'D':
      case 'd':
        session_.parts->ClearFields();
        session_.parts->ShowDialog();
        break;
      case 'O':
      case 'o':
        session_.nail->ClearFields();
        session_.nail->ShowDialog();
        break;
      case 'c':
      case 'C':
        session_.comp->ClearFields();
        session_.comp->ShowDialog();
        break;
      case 'v':
      case 'V':
        session_.overview->ShowUnchanged();
        break;
      case 'N':
      case 'n':
        session_.net->ClearFields();
        session_.net->ShowDialog();
        break;
      default:
        break;
    }
  });
}

void TFrm_Main::Redraw() {
  Session& s = session_;
  switch (s.HighlightMode) {
    case hmBoard:
      RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
      break;
    case hmOpenShort:
      RedrawOpenShort(s);
      break;
    case hmCompPin:
      RedrawCompPin(s);
      break;
    case hmDevice:
      RedrawDevice(s);
      break;
    case hmNet:
      RedrawNet(s);
      break;
    case hmPoint:
      RedrawPoint(s);
      break;
    default:  // hmNone, and 4, which nothing sets
      break;
  }
}

void TFrm_Main::open1Click() {
  Handle([&] {
    const std::optional<std::string> chosen = chooseFile_();
    if (chosen) DoOpen(*chosen);
  });
}

void TFrm_Main::OpenBoard(const std::string& path) {
  Handle([&] { DoOpen(path); });
}

void TFrm_Main::DoOpen(const std::string& path) {
  session_.BoardFile = path;
  session_.CompanionFile = CompanionFile(path);
  SetBoardShown(true);
  session_.Image1Visible = true;
  SetSearchItemsEnabled(true);
  ComputeHomeView(session_.view, session_.BoardFile);
  RunLayerPasses(session_, Variant::Main, PassOrder::LayerByLayer);
  session_.HighlightMode = hmBoard;
}

void TFrm_Main::close1Click() {
  Handle([&] {
    move(0, 0);
    SetBoardShown(false);
    session_.Image1Visible = false;
    SetSearchItemsEnabled(false);
    RestoreHomeView(session_.view);
    session_.HighlightMode = hmNone;
  });
}

void TFrm_Main::exit1Click() { close(); }

// Closing the main window ends the program, whatever other windows are open.
void TFrm_Main::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  QCoreApplication::quit();
}

void TFrm_Main::NailClick() {
  Handle([&] {
    session_.nail->ClearFields();
    session_.nail->ShowDialog();
  });
}

void TFrm_Main::CompClick() {
  Handle([&] {
    session_.comp->ClearFields();
    session_.comp->ShowDialog();
  });
}

void TFrm_Main::partsClick() {
  Handle([&] {
    session_.parts->ClearFields();
    session_.parts->ShowDialog();
  });
}

void TFrm_Main::NetsClick() {
  Handle([&] { session_.net->ShowDialog(); });
}

void TFrm_Main::Content1Click() {
  if (!content_) return;
  content_->show();
  content_->raise();
}

void TFrm_Main::About1Click() {
  if (!about_) return;
  about_->show();
  about_->raise();
}

void TFrm_Main::ImageMouseDown(Side side, ImageView::Button button, int x, int y) {
  Handle([&] {
    if (button == ImageView::Button::Left) {
      PointInquiry(session_, side, x, y);
    } else {
      RestoreHomeView(session_.view);
      Redraw();
    }
  });
}

void TFrm_Main::ImageMouseMove(Side, int x, int y) {
  session_.PointerX = x;
  session_.PointerY = y;
}

void TFrm_Main::ImageDblClick(Side side) {
  Handle([&] {
    if (ZoomAboutPointer(session_, side)) Redraw();
  });
}

}  // namespace vantrel
