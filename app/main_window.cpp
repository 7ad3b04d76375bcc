#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/file_follower.h"
#include "app/picture_export.h"
#include "board/board_error.h"
#include "board/companion_file.h"
#include "dialogs/board_browser.h"
#include "dialogs/comp_dialog.h"
#include "dialogs/device_dialog.h"
#include "dialogs/dialog_style.h"
#include "dialogs/nail_dialog.h"
#include "dialogs/net_dialog.h"
#include "dialogs/overview_window.h"
#include "search/device_search.h"
#include "search/error_handler.h"
#include "search/go_to.h"
#include "search/point_inquiry.h"
#include "search/redraw.h"
#include "search/status_line.h"

namespace vantrel {

namespace {

// The main window at design size, and its contents: the pictures and the
// header strip at (5, 0) to (789, 545), with a margin.
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kClientWidth = 794;
constexpr int kClientHeight = 550;
constexpr double kMinFactor = 0.5;
constexpr int kPictureLeft = 5;
constexpr int kPictureTop = 55;

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The toolkit's own dialog: a desktop's native one (the GTK dialog that
// Debian's Qt brings along) records the files opened in the user's folders.
std::optional<std::string> AskForBoardFile(QWidget* parent) {
  const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                                    QStringLiteral("VANTREL (*.brd)"), nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace

const SearchMenuItem& MenuItemOf(SearchKind kind) {
  static const PerSearch<SearchMenuItem> kItems{{{"Nail", " Open/Short ", "open/short"},
                                                 {"Comp", "CompPin ", "comppin"},
                                                 {"parts", "Device", "device"},
                                                 {"Nets", " Nets ", "nets"}}};
  return kItems[kind];
}

TFrm_Main::TFrm_Main(Session& session, const ErrorHandler& handler, double factor)
    : session_(session), handler_(handler) {
  setObjectName(QStringLiteral("Frm_Main"));
  setWindowTitle(QStringLiteral("Vantrel"));
  setAcceptDrops(true);
  chooseFile_ = [this] { return AskForBoardFile(this); };
  chooseExportFile_ = [this] { return AskForExportFile(this, session_.document.BoardFile); };
  choosePrinter_ = [this](QPrinter& printer) { return AskForPrinter(printer, this); };
  follower_ = new FileFollower([this] { BoardFilesChanged(); }, this);

  // The window's background fills all of it; the controls stand on a content
  // area of the design size, laid out at the factor and centred.
  auto* client = new QWidget(this);
  SetBackground(client, ToQColor(colors::kTeal));
  setCentralWidget(client);
  content_ = new QWidget(client);
  content_->setObjectName(QStringLiteral("client"));
  content_->setFont(PixelFont("MS Sans Serif", 11));
  content_->setGeometry(0, 0, kClientWidth, kClientHeight);
  BuildPictures(content_);
  // The browser stands beside the pictures, hidden at start; the pictures'
  // factor follows the room it leaves them.
  browser_ = new BrowserDock(session_, this);
  browser_->setActivate([this](ItemKind kind, const std::string& name) { ActivateItem(kind, name); });
  addDockWidget(Qt::RightDockWidgetArea, browser_);
  browser_->hide();
  client->installEventFilter(this);
  BuildMenu();
  KeepDesign(content_);
  statusLine_ = new QLabel(this);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  statusLine_->setTextFormat(Qt::PlainText);
  statusBar()->addWidget(statusLine_, 1);
  settled_.setSingleShot(true);
  settled_.setInterval(0);
  connect(&settled_, &QTimer::timeout, this, [this] {
    Handle([&] {
      if (boardShown()) Redraw();
      RedrawOverviewPictures(session_);
    });
  });
  frameTimer_.setSingleShot(true);
  connect(&frameTimer_, &QTimer::timeout, this, [this] { Handle([&] { Redraw(); }); });
  sinceFrame_.start();

  // FormCreate: the window at the top-left corner, the splash shown.
  resize(static_cast<int>(std::lround(kWindowWidth * factor)),
         static_cast<int>(std::lround(kWindowHeight * factor)));
  move(0, 0);
  UpdateFactor();
  SetBoardShown(false);
  SetSearchItemsEnabled(false);
}

// The controls from bottom to top, so that later ones lie above earlier ones.
void TFrm_Main::BuildPictures(QWidget* client) {
  auto picture = [&](const ImageCanvas& canvas, const char* name, int y) {
    auto* view = new ImageView(canvas, client);
    view->setObjectName(QString::fromLatin1(name));
    view->move(kPictureLeft, y);
    return view;
  };
  views_.bottom = picture(session_.pictures.sides.bottom, "Image2", kPictureTop);
  views_.top = picture(session_.pictures.sides.top, "Image1", kPictureTop);
  headerView_ = picture(session_.pictures.strip, "Image3", 0);
  headerLabels_[0] = MakeHeaderLabel("Label1", 5, 0, 0);
  BuildSplash(client);
  headerLabels_[1] = MakeHeaderLabel("Label2", 5, 16, 784);
  headerLabels_[2] = MakeHeaderLabel("Label4", 5, 32, 784);

  auto pointer = [this](Side side) {
    ImageView::Handlers h;
    h.mouseDown = [this, side](ImageView::Button b, int x, int y) { ImageMouseDown(side, b, x, y); };
    h.mouseMove = [this, side](int x, int y) { ImageMouseMove(side, x, y); };
    h.dblClick = [this, side] { ImageDblClick(side); };
    h.wheel = [this, side](int notches, int x, int y) { ImageWheel(side, notches, x, y); };
    h.drag = [this](int dx, int dy) { ImageDrag(dx, dy); };
    h.dragEnd = [this] { FlushRedraw(); };
    h.hover = [this, side](int x, int y) { return ImageHover(side, x, y); };
    return h;
  };
  for (const Side side : kSides) views_[side]->setHandlers(pointer(side));
}

void TFrm_Main::BuildSplash(QWidget* client) {
  const QColor maroon = ToQColor(colors::kMaroon);
  splashTitle_ = new QLabel(QStringLiteral("VANTREL"), client);
  splashTitle_->setObjectName(QStringLiteral("Label3"));
  splashTitle_->setGeometry(232, 176, 353, 81);
  splashTitle_->setFont(PixelFont("Comic Sans MS", 48, true));
  SetTextColor(splashTitle_, maroon);

  splashLine_ = new QLabel(QStringLiteral("Board viewer for test fixtures and repair"), client);
  splashLine_->setObjectName(QStringLiteral("Label6"));
  splashLine_->setGeometry(136, 288, 515, 29);
  splashLine_->setFont(PixelFont("MS Sans Serif", 24, true));
  SetTextColor(splashLine_, maroon);
  FitSplashLine();

  splashHint_ = new QLabel(
      QString::fromUtf8("Open a board with File \xe2\x80\xba Open, or drop a .brd file here"), client);
  splashHint_->setObjectName(QStringLiteral("SplashHint"));
  splashHint_->setGeometry(136, 336, 515, 20);
  splashHint_->setAlignment(Qt::AlignCenter);
  splashHint_->setFont(PixelFont("MS Sans Serif", 13));
  SetTextColor(splashHint_, maroon);
}

// The face that stands in for the designed one is wider: the line grows to
// its text rather than cut it off.
void TFrm_Main::FitSplashLine() {
  splashLine_->resize(std::max(splashLine_->width(), splashLine_->sizeHint().width()), splashLine_->height());
}

// Label1 is as long as its text, up to the header strip's right edge: a long
// first line is cut there, as the full-width lines under it are, rather than
// run past the strip's black box.
void TFrm_Main::FitFirstHeaderLine() {
  QLabel* line = headerLabels_[0];
  line->adjustSize();
  const int stripRight = headerView_->x() + headerView_->width();
  line->resize(std::min(line->width(), stripRight - line->x()), line->height());
}

void TFrm_Main::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto item = [this](auto* parent, const char* name, const char* caption, void (TFrm_Main::*slot)(),
                     const char* key = nullptr) {
    QAction* a = parent->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    if (key) menuItems_[key] = a;
  };
  QMenu* file = bar->addMenu(QStringLiteral(" File"));
  item(file, "open1", "Open", &TFrm_Main::open1Click);
  item(file, "close1", "Close", &TFrm_Main::close1Click);
  item(file, "export1", "Export picture\xe2\x80\xa6", &TFrm_Main::export1Click, "export");
  item(file, "print1", "Print\xe2\x80\xa6", &TFrm_Main::print1Click, "print");
  item(file, "exit1", "Exit", &TFrm_Main::exit1Click);
  // Ctrl+C is the key handler's, and only while the pictures have the focus;
  // the menu names it.
  QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
  item(edit, "copy1", "Copy", &TFrm_Main::copy1Click, "copy");
  menuAction("copy")->setShortcut(QKeySequence::Copy);
  menuAction("copy")->setShortcutContext(Qt::WidgetShortcut);
  // NailClick, CompClick, partsClick, NetsClick
  for (const auto& [kind, click] : {std::pair{SearchKind::OpenShort, &TFrm_Main::NailClick},
                                    std::pair{SearchKind::CompPin, &TFrm_Main::CompClick},
                                    std::pair{SearchKind::Device, &TFrm_Main::partsClick},
                                    std::pair{SearchKind::Net, &TFrm_Main::NetsClick}}) {
    const SearchMenuItem& menu = MenuItemOf(kind);
    item(bar, menu.objectName, menu.caption, click, menu.key);
  }
  QMenu* view = bar->addMenu(QStringLiteral("View"));
  view->setObjectName(QStringLiteral("ViewMenu"));
  item(view, "RotateClockwise", "Rotate clockwise\tR", &TFrm_Main::RotateClockwiseClick, "rotate");
  item(view, "RotateBack", "Rotate counter-clockwise", &TFrm_Main::RotateBackClick, "rotate-ccw");
  item(view, "Mirror", "Mirror\tM", &TFrm_Main::MirrorClick, "mirror");
  view->addSeparator();
  item(view, "Names", "Names on the board\tL", &TFrm_Main::NamesClick, "names");
  menuAction("names")->setCheckable(true);
  item(view, "Fit", "Fit board\tF", &TFrm_Main::FitClick, "fit");
  view->addSeparator();
  item(view, "BrowserItem", "Board browser\tB", &TFrm_Main::BrowserClick, "browser");
  menuAction("browser")->setCheckable(true);
  // The item is the connection's receiver, so nothing calls it once it is gone.
  connect(browser_, &QDockWidget::visibilityChanged, menuAction("browser"), &QAction::setChecked);
  item(view, "FindItem", "Find\xe2\x80\xa6", &TFrm_Main::FindClick, "find");
  menuAction("find")->setShortcut(QKeySequence::Find);
  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  item(help, "Content1", "Content", &TFrm_Main::Content1Click, "content");
  item(help, "Keys1", "Keys and mouse", &TFrm_Main::KeysClick, "keys");
  item(help, "About1", "About", &TFrm_Main::About1Click, "about");
}

void TFrm_Main::ShowOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
  showMaximized();
}

QLabel* TFrm_Main::MakeHeaderLabel(const char* name, int x, int y, int width) {
  auto* label = new QLabel(content_);
  label->setObjectName(QString::fromLatin1(name));
  SetBackground(label, Qt::black);
  SetTextColor(label, Qt::red);
  label->setFont(PixelFont("MS Sans Serif", 13));
  label->setTextFormat(Qt::PlainText);
  label->move(x, y);
  label->setFixedHeight(16);
  if (width > 0) label->setFixedWidth(width);
  return label;
}

// The client area shrinks and grows as the browser docks, undocks or is
// resized beside it.
bool TFrm_Main::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) UpdateFactor();
  return QMainWindow::eventFilter(watched, event);
}

void TFrm_Main::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  UpdateFactor();
}

// k = min(width / 800, height / 600) of the window's client area, without
// the browser docked beside it, at least one half. The content area follows it, and the pictures are drawn
// anew at k times the screen's device pixel ratio.
void TFrm_Main::UpdateFactor() {
  const bool docked = browser_ && browser_->isVisible() && !browser_->isFloating();
  const int free = docked ? centralWidget()->width() : width();
  const double factor =
      std::max(kMinFactor, std::min(free / double(kWindowWidth), height() / double(kWindowHeight)));
  const double ratio = devicePixelRatioF();
  if (factor != factor_ || ratio != pixelRatio_) {
    factor_ = factor;
    pixelRatio_ = ratio;
    ScaleToFactor(content_, factor);
    for (ImageView* view : {views_.top, views_.bottom, headerView_}) view->setFactor(factor);
    FitFirstHeaderLine();
    FitSplashLine();
    // The full-width header lines end where the header picture does.
    for (QLabel* line : {headerLabels_[1], headerLabels_[2]}) {
      line->setFixedWidth(headerView_->x() + headerView_->width() - line->x());
    }
    for (ImageCanvas* picture :
         {&session_.pictures.sides.top, &session_.pictures.sides.bottom, &session_.pictures.strip}) {
      picture->SetScale(factor * ratio);
    }
    if (factorChanged_) factorChanged_(factor);
    RedrawSoon();
  }
  // The content area in the middle of the client area below the menu.
  const QWidget* client = centralWidget();
  content_->move(std::max(0, (client->width() - content_->width()) / 2),
                 std::max(0, (client->height() - content_->height()) / 2));
}

// The pictures at a new size are blank until drawn: they are drawn once the
// window has settled, however many sizes it went through.
void TFrm_Main::RedrawSoon() { settled_.start(); }

QAction* TFrm_Main::menuAction(const std::string& name) const {
  const auto it = menuItems_.find(name);
  return it == menuItems_.end() ? nullptr : it->second;
}

void TFrm_Main::Handle(const std::function<void()>& handler) { handler_.Run(handler); }

ImageView* TFrm_Main::shownView() const {
  if (views_.top->isVisible()) return views_.top;
  if (views_.bottom->isVisible()) return views_.bottom;
  return nullptr;
}

void TFrm_Main::SetBoardShown(bool shown) {
  splashTitle_->setVisible(!shown);
  splashLine_->setVisible(!shown);
  splashHint_->setVisible(!shown);
}

void TFrm_Main::SetSearchItemsEnabled(bool enabled) {
  for (const SearchKind kind : kSearchKinds) menuAction(MenuItemOf(kind).key)->setEnabled(enabled);
}

void TFrm_Main::SyncWithSession() {
  // A header text can be a whole line of a board file; the label shows the
  // start of a very long one, the session keeps it whole.
  constexpr std::size_t kShownCharacters = 4000;
  for (int line = 0; line < 3; ++line) {
    QLabel* label = headerLabels_[line];
    label->setText(FromBytes(std::string_view(session_.pictures.header[line]).substr(0, kShownCharacters)));
    label->setVisible(boardShown());
  }
  FitFirstHeaderLine();
  headerLabels_[0]->setFixedHeight(headerLabels_[1]->height());
  SetBoardShown(boardShown());
  headerView_->setVisible(boardShown());
  views_.bottom->setVisible(boardShown());
  views_.top->setVisible(boardShown() && session_.TopShown());
  for (QWidget* view : {views_.top, views_.bottom, headerView_}) view->update();
  setWindowTitle(QString::fromLocal8Bit(WindowTitle(session_)));
  QString status = FromBytes(StatusLine(session_));
  if (!followNote_.isEmpty())
    status += (status.isEmpty() ? QString() : QStringLiteral(" \u00b7 ")) + followNote_;
  followNote_.clear();
  statusLine_->setText(status);
  for (const char* item : {"export", "print", "copy"}) menuAction(item)->setEnabled(boardShown());
  const Document& d = session_.document;
  // A board opened or closed: the browser lists what is there now.
  const std::string browsed = d.BoardOpen ? d.BoardFile : std::string();
  if (browsed != browsedBoard_) {
    browsedBoard_ = browsed;
    browser_->Refresh();
  }
  browser_->ShowResult();
  follower_->Follow(boardShown() ? std::vector{d.BoardFile, d.CompanionFile} : std::vector<std::string>{});
}

SearchTexts TFrm_Main::FieldTexts() const {
  SearchTexts texts;
  const PerSearch<SearchDialog*>& dialogs = windows_.searchDialogs;
  if (dialogs[SearchKind::OpenShort]) texts.nails = dialogs[SearchKind::OpenShort]->SlotTexts();
  if (dialogs[SearchKind::CompPin]) texts.compPin = dialogs[SearchKind::CompPin]->FieldText(1);
  if (dialogs[SearchKind::Device]) texts.devices = dialogs[SearchKind::Device]->SlotTexts();
  if (dialogs[SearchKind::Net]) texts.net = dialogs[SearchKind::Net]->FieldText(1);
  return texts;
}

void TFrm_Main::Redraw() {
  frameTimer_.stop();  // whatever a gesture asked for is drawn now
  sinceFrame_.restart();
  vantrel::Redraw(session_, FieldTexts());
}

// A frame is a sixtieth of a second: a gesture's redraw waits for the rest of
// the frame since the last one, so that a burst of events costs one redraw.
void TFrm_Main::RedrawAtFrame() {
  constexpr qint64 kFrameMilliseconds = 16;
  if (frameTimer_.isActive()) return;
  frameTimer_.start(static_cast<int>(std::max<qint64>(0, kFrameMilliseconds - sinceFrame_.elapsed())));
}

void TFrm_Main::FlushRedraw() {
  if (frameTimer_.isActive()) Handle([&] { Redraw(); });
}

namespace {

// The keys that type no character of the design's table, or another one,
// and the design key each stands for: the arrows, Home and the page keys as
// a desktop user expects them, "=" as "+" without the shift.
struct KeyAlias {
  Qt::Key key;
  char designKey;
};
constexpr KeyAlias kKeyAliases[] = {
    {Qt::Key_Left, '4'}, {Qt::Key_Right, '6'}, {Qt::Key_Up, '8'},     {Qt::Key_Down, '2'},
    {Qt::Key_Home, '/'}, {Qt::Key_Equal, '+'}, {Qt::Key_PageUp, '+'}, {Qt::Key_PageDown, '-'},
};

}  // namespace

// F11 is bound here rather than as a shortcut: the platform theme of a plain
// X session gives QKeySequence::FullScreen no key at all.
void TFrm_Main::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) && PicturesHaveFocus()) return copy1Click();
  if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    if (event->key() == Qt::Key_F11) return ToggleFullScreen();
    for (const KeyAlias& alias : kKeyAliases) {
      if (event->key() == alias.key) return FormKeyPress(alias.designKey);
    }
  }
  const QString text = event->text();
  for (QChar c : text) {
    if (c.unicode() >= 256) continue;
    const char key = static_cast<char>(c.unicode());
    if (!ViewKey(key)) FormKeyPress(key);
  }
}

bool TFrm_Main::ViewKey(char key) {
  switch (key) {
    case 'R':
    case 'r': RotateClockwiseClick(); return true;
    case 'M':
    case 'm': MirrorClick(); return true;
    case 'L':
    case 'l': NamesClick(); return true;
    case 'F':
    case 'f': FitClick(); return true;
    case 'B':
    case 'b': BrowserClick(); return true;
    default: return false;
  }
}

void TFrm_Main::RotateClockwiseClick() { TurnTo(session_.view.orientation.Turned(true)); }

void TFrm_Main::RotateBackClick() { TurnTo(session_.view.orientation.Turned(false)); }

void TFrm_Main::MirrorClick() { TurnTo(session_.view.orientation.Mirrored()); }

void TFrm_Main::NamesClick() { ShowNames(!session_.view.names); }

void TFrm_Main::ShowNames(bool shown) {
  menuAction("names")->setChecked(shown);
  if (shown == session_.view.names) return;
  Handle([&] {
    session_.view.names = shown;
    Redraw();
  });
}

void TFrm_Main::FitClick() {
  Handle([&] {
    if (FitBoard(session_)) Redraw();
  });
}

void TFrm_Main::BrowserClick() { ShowBrowser(!browser_->isVisible()); }

void TFrm_Main::ShowBrowser(bool shown) {
  constexpr int kBrowserWidth = 360;
  menuAction("browser")->setChecked(shown);
  browser_->setVisible(shown);
  if (shown && !browser_->isFloating()) resizeDocks({browser_}, {kBrowserWidth}, Qt::Horizontal);
}

void TFrm_Main::FindClick() {
  ShowBrowser(true);
  browser_->raise();
  browser_->findBox()->setFocus(Qt::ShortcutFocusReason);
  browser_->findBox()->selectAll();
}

namespace {

SearchKind SearchOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Part: return SearchKind::Device;
    case ItemKind::Net: return SearchKind::Net;
    case ItemKind::Pin: return SearchKind::CompPin;
    case ItemKind::Nail: return SearchKind::OpenShort;
  }
  return SearchKind::Net;
}

}  // namespace

void TFrm_Main::ActivateItem(ItemKind kind, const std::string& name) {
  const SearchKind search = SearchOf(kind);
  SearchDialog* dialog = windows_.searchDialogs[search];
  if (!dialog || !boardShown()) return;
  dialog->ClearFields();
  dialog->SetFieldText(1, name);
  dialog->okClick();
  if (session_.highlight.mode != ModeOf(search) || !session_.highlight.findings) return;
  Handle([&] {
    if (GoToResult(session_, FieldTexts())) Redraw();
  });
}

void TFrm_Main::TurnTo(Orientation orientation) {
  Handle([&] { TurnView(session_, orientation, FieldTexts()); });
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
    const std::int64_t step = PanStep(session_.view);
    switch (key) {
      case '4':
      case '%': return PanAndRedraw(step, 0);
      case '6':
      case '\'': return PanAndRedraw(-step, 0);
      case '2':
      case '(': return PanAndRedraw(0, -step);
      case '8':
      case '&': return PanAndRedraw(0, step);
      case '-': return ZoomAndRedraw(Zoom::Out);
      case '+': return ZoomAndRedraw(Zoom::In);
      case '0':
      case ' ': return TurnOver(session_, FieldTexts());
      case '/': return ResetView(session_);
      case 'D':
      case 'd': return ShowEmptied(windows_.searchDialogs[SearchKind::Device]);
      case 'O':
      case 'o': return ShowEmptied(windows_.searchDialogs[SearchKind::OpenShort]);
      case 'c':
      case 'C': return ShowEmptied(windows_.searchDialogs[SearchKind::CompPin]);
      case 'v':
      case 'V': return windows_.overviewWindow->ShowUnchanged();
      case 'N':
      case 'n': return ShowEmptied(windows_.searchDialogs[SearchKind::Net]);
      default: return;
    }
  });
}

void TFrm_Main::PanAndRedraw(std::int64_t dx, std::int64_t dy) {
  vantrel::Pan(session_.view, dx, dy);
  Redraw();
}

void TFrm_Main::ZoomAndRedraw(Zoom zoom) {
  if (ZoomKey(session_.view, zoom)) Redraw();
}

void TFrm_Main::ShowEmptied(SearchDialog* dialog) {
  dialog->ClearFields();
  dialog->ShowDialog();
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
  SetSearchItemsEnabled(true);
  vantrel::OpenBoard(session_, path);
}

void TFrm_Main::close1Click() {
  Handle([&] {
    move(0, 0);
    SetSearchItemsEnabled(false);
    CloseBoard(session_);
  });
}

void TFrm_Main::exit1Click() { close(); }

void TFrm_Main::export1Click() {
  Handle([&] {
    if (!boardShown()) return;
    if (const std::optional<std::string> file = chooseExportFile_()) ExportPicture(*this, *file);
  });
}

void TFrm_Main::print1Click() {
  Handle([&] {
    if (!boardShown()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (choosePrinter_(printer)) PrintPicture(*this, printer);
  });
}

void TFrm_Main::copy1Click() {
  Handle([&] { CopyPicture(*this); });
}

// Where the keys of the pictures go: to the main window itself, nothing
// else of it having the focus, or to the controls over the pictures.
bool TFrm_Main::PicturesHaveFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return !focus || focus == this || focus == centralWidget() || centralWidget()->isAncestorOf(focus);
}

void TFrm_Main::BoardFilesChanged() {
  browser_->Refresh();
  Handle([&] {
    std::vector<FileError>& warnings = session_.document.Warnings;
    if (followWarning_) {
      const auto last = std::find(warnings.rbegin(), warnings.rend(), *followWarning_);
      if (last != warnings.rend()) warnings.erase(std::next(last).base());
      followWarning_.reset();
    }
    if (!boardShown()) return;
    try {
      Redraw();
      followNote_ = QStringLiteral("Board files changed on disk: redrawn at ") +
                    QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    } catch (const BoardError& e) {
      followWarning_ = session_.document.ErrorOf(e);
      warnings.push_back(*followWarning_);
    }
  });
}

// Back from full screen the window is maximised again if it was.
void TFrm_Main::ToggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

// Closing the main window ends the program, whatever other windows are open.
void TFrm_Main::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  QCoreApplication::quit();
}

void TFrm_Main::NailClick() { ShowSearchDialog(SearchKind::OpenShort); }

void TFrm_Main::CompClick() { ShowSearchDialog(SearchKind::CompPin); }

void TFrm_Main::partsClick() { ShowSearchDialog(SearchKind::Device); }

void TFrm_Main::NetsClick() { ShowSearchDialog(SearchKind::Net); }

void TFrm_Main::ShowSearchDialog(SearchKind kind) {
  Handle([&] {
    SearchDialog* dialog = windows_.searchDialogs[kind];
    // The net dialog keeps what was typed last.
    if (kind == SearchKind::Net) return dialog->ShowDialog();
    ShowEmptied(dialog);
  });
}

void TFrm_Main::Content1Click() {
  windows_.helpWindow->show();
  windows_.helpWindow->raise();
  windows_.helpWindow->activateWindow();
}

void TFrm_Main::KeysClick() {
  windows_.keysWindow->show();
  windows_.keysWindow->raise();
  windows_.keysWindow->activateWindow();
}

void TFrm_Main::About1Click() {
  windows_.aboutWindow->show();
  windows_.aboutWindow->raise();
  windows_.aboutWindow->activateWindow();
}

void TFrm_Main::ImageMouseDown(Side side, ImageView::Button button, int x, int y) {
  Handle([&] {
    if (button == ImageView::Button::Left) {
      PointInquiry(session_, side, x, y,
                   [this] { windows_.searchDialogs[SearchKind::OpenShort]->ClearFields(); });
    } else {
      RestoreHomeView(session_.view);
      Redraw();
    }
  });
}

void TFrm_Main::ImageMouseMove(Side, int x, int y) {
  pointer_ = QPoint(x, y);
  tooltip_.reset();
}

// The gestures act on a board shown; the keys' view changes are theirs alone.
void TFrm_Main::ImageWheel(Side, int notches, int x, int y) {
  if (!boardShown()) return;
  Handle([&] {
    bool changed = false;
    for (int n = 0; n < std::abs(notches); ++n) {
      changed |= WheelZoom(session_.view, notches > 0 ? Zoom::In : Zoom::Out, x, y);
    }
    if (changed) RedrawAtFrame();
  });
}

void TFrm_Main::ImageDrag(int dx, int dy) {
  if (!boardShown()) return;
  Handle([&] {
    vantrel::Pan(session_.view, dx, dy);
    RedrawAtFrame();
  });
}

// A pointer at rest is no command: a file that cannot be read shows its
// error at the next one, not in a box that the pointer's resting raised.
QString TFrm_Main::ImageHover(Side side, int x, int y) {
  tooltip_.reset();
  try {
    if (const std::optional<PinRecord> pin = PinUnderPointer(session_, side, x, y)) {
      tooltip_ = PinDescription(*pin);
    }
  } catch (const BoardError&) {
  }
  return tooltip_ ? FromBytes(*tooltip_) : QString();
}

void TFrm_Main::ImageDblClick(Side side) {
  Handle([&] {
    if (ZoomAboutPointer(session_.view, side, pointer_.x(), pointer_.y())) Redraw();
  });
}

}  // namespace vantrel
