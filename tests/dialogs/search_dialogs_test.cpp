// The four search dialogs as the program builds and wires them: their
// designed controls, and what Enter, OK, Cancel and the close box do. What the
// searches themselves do is tested without windows in tests/search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "dialogs/comp_dialog.h"
#include "dialogs/device_dialog.h"
#include "dialogs/nail_dialog.h"
#include "dialogs/net_dialog.h"
#include "search/error_handler.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A board 4 x 2 (Scale 250, home origins (-108, 530) and (-108, 30)), used
// for both sides, on which every search finds two things: parts U1 and U2,
// their pins U1.1 on NETA at (1.5, 1) and U2.1 on NETB, nails TP1 on NETA and
// TP2 on NETB, and a block for each net.
constexpr const char* kBoard =
    "dialogs\n0 0\n4 0\n4 2\n0 2\n0 0\n"
    "1 1 1 1\nU1\n1.2 2.2 0.6 1.4\nU2\n2.4 3.0 0.6 1.4\n2 2 2 2\n"
    "1.5 1\n2.8 1\n3 3 3 3\n U1.1\n1.5 1\nNETA\nF\n U2.1\n2.8 1\nNETB\nF\n4 4 4 4\n"
    "TP1\n0.5 1\nNETA\nPROBE\nTP2\n0.5 0.5\nNETB\nPROBE\n5 5 5 5\n"
    "NETA\n1\nT1\n\nNETB\n1\nT2\n\n";

struct Caption {
  QString name;
  QString text;
  QColor colour;
  QPoint at;  // in the panel; the field beside it is Edit1, Edit2, ...
  QPoint fieldAt;
};

// How a dialog was designed, and how it differs from the others. The
// defaults are what the open/short, component pin and device dialogs share.
struct Design {
  const char* objectName = nullptr;
  const char* title = nullptr;
  QSize size{281, 257};
  std::optional<QPoint> position{};  // nothing: centred on the screen
  QRect panel{16, 14, 241, 150};
  std::vector<Caption> captions{};
  QPoint okAt{32, 184};
  const char* cancelName = "Button2";
  QPoint cancelAt{168, 184};
  bool enterIsConsumed = false;                // else the key goes on to the panel
  HighlightMode mode = HighlightMode::hmNone;  // what its search sets
  char key = 0;                                // the main window's key that opens it
  const char* menu = nullptr;                  // and its menu item
  const char* held = nullptr;                  // a name the board holds
  const char* other = nullptr;                 // another one
};

// Three captions "<word>(1)" to "<word>(3)" in white, red and `third` at
// (24, 24 + 40i) of the panel, their fields at (96, 24 + 40i).
std::vector<Caption> ThreeSlots(const char* word, QColor third) {
  const QColor colours[] = {Qt::white, Qt::red, third};
  std::vector<Caption> captions;
  for (int i = 0; i < 3; ++i) {
    const QPoint row(0, 24 + 40 * i);
    captions.push_back({QStringLiteral("Label%1").arg(i + 1), QStringLiteral("%1(%2)").arg(word).arg(i + 1),
                        colours[i], QPoint(24, 0) + row, QPoint(96, 0) + row});
  }
  return captions;
}

// The dialog of that type among the program's windows, and its design.
template <typename Dialog>
Dialog& DialogIn(Application& app) {
  for (const SearchKind kind : kSearchKinds) {
    if (auto* dialog = dynamic_cast<Dialog*>(&app.dialog(kind))) return *dialog;
  }
  throw std::logic_error("no such dialog");
}

Design DesignOf(const Application& app, const SearchDialog* dialog) {
  if (dialog == &app.dialog(SearchKind::OpenShort)) {
    return {.objectName = "Frm_Nail",
            .title = "Open/Short",
            .captions = ThreeSlots("Pin", Qt::yellow),
            .cancelName = "Button1",
            .cancelAt = {160, 184},
            .mode = HighlightMode::hmOpenShort,
            .key = 'o',
            .menu = "open/short",
            .held = "TP1",
            .other = "TP2"};
  }
  if (dialog == &app.dialog(SearchKind::Device)) {
    return {.objectName = "Frm_Parts",
            .title = "Device",
            .captions = ThreeSlots("Part", QColor(0, 255, 255)),
            .mode = HighlightMode::hmDevice,
            .key = 'd',
            .menu = "device",
            .held = "U1",
            .other = "U2"};
  }
  // One red caption, Label2, and its field; OK and Cancel on row 176.
  const Caption pin{"Label2", "Pin:", Qt::red, {40, 48}, {88, 48}};
  if (dialog == &app.dialog(SearchKind::CompPin)) {
    return {.objectName = "Frm_Comp",
            .title = "Component Pin",
            .panel = {16, 24, 241, 121},
            .captions = {pin},
            .okAt = {32, 176},
            .cancelAt = {168, 176},
            .mode = HighlightMode::hmCompPin,
            .key = 'c',
            .menu = "comppin",
            .held = "U1.1",
            .other = "U2.1"};
  }
  // Only the net dialog stands at a fixed place, and it keeps Enter from
  // going further.
  const Caption net{"Label2", "Net:", Qt::red, {32, 48}, {80, 48}};
  return {.objectName = "frm_Net",
          .title = "frm_Net",
          .size = {273, 251},
          .position = QPoint(406, 246),
          .panel = {24, 32, 225, 121},
          .captions = {net},
          .okAt = {32, 176},
          .cancelAt = {168, 176},
          .enterIsConsumed = true,
          .mode = HighlightMode::hmNet,
          .key = 'n',
          .menu = "nets",
          .held = "NETA",
          .other = "NETB"};
}

// Where Tab goes from `widget`: the next widget in the focus chain that takes
// focus by Tab (the captions between the fields take none).
QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

// Counts the Enter keys that reach an object.
struct EnterCounter : QObject {
  int keys = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    keys += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return;
    return false;
  }
};

// The program's windows, as created at start; the dialog under test among them.
template <typename Dialog>
class SearchDialogs : public testing::Test {
 protected:
  SearchDialogs() {
    app.handler.SetReporter([this](const std::string& text, const std::string&) { errors.push_back(text); });
    app.handler.SetAfterEach([this] {
      ++handlersRun;
      app.main->SyncWithSession();
    });
  }

  // Opens the board through the main window; jet.CON beside it unless `withCompanion` is false.
  void Open(bool withCompanion = true) {
    if (withCompanion) dir.Write("jet.CON", kBoard);
    app.main->OpenBoard(dir.Write("b.brd", kBoard));
  }
  void ClickOk(const std::string& text) {
    dialog.ShowDialog();
    dialog.SetFieldText(1, text);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  }

  test::TempDir dir;
  std::vector<std::string> errors;
  Application app{1.0};
  Session& s = app.session;
  Dialog& dialog = DialogIn<Dialog>(app);
  const Design design = DesignOf(app, &dialog);
  int handlersRun = 0;
};

using Dialogs = testing::Types<TFrm_Nail, TFrm_Comp, TFrm_Parts, Tfrm_Net>;
TYPED_TEST_SUITE(SearchDialogs, Dialogs);

TYPED_TEST(SearchDialogs, HasItsDesignedControlsAndPlace) {
  const Design& d = this->design;
  SearchDialog& dialog = this->dialog;
  EXPECT_EQ(dialog.objectName(), d.objectName);
  EXPECT_EQ(dialog.windowTitle(), d.title);
  EXPECT_EQ(dialog.size(), d.size);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QPoint centred(screen.x() + (screen.width() - d.size.width()) / 2,
                       screen.y() + (screen.height() - d.size.height()) / 2);
  EXPECT_EQ(dialog.pos(), d.position.value_or(centred));
  EXPECT_EQ(dialog.font().family(), "MS Sans Serif");
  EXPECT_EQ(dialog.font().pixelSize(), 11);
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::black));

  auto* panel = dialog.findChild<QWidget*>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), d.panel);
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::black));
  ASSERT_EQ(dialog.fieldCount(), static_cast<int>(d.captions.size()));
  for (int n = 1; n <= dialog.fieldCount(); ++n) {
    const Caption& c = d.captions[static_cast<std::size_t>(n - 1)];
    auto* label = panel->findChild<QLabel*>(c.name);
    ASSERT_NE(label, nullptr) << c.name.toStdString();
    EXPECT_EQ(label->text(), c.text);
    EXPECT_EQ(label->pos(), c.at);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), c.colour);
    EXPECT_EQ(label->font().family(), QString::fromUtf8("宋体"));
    EXPECT_TRUE(label->font().bold() && label->font().italic());
    EXPECT_EQ(label->font().pixelSize(), 16);
    auto* edit = panel->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
    ASSERT_NE(edit, nullptr) << n;
    EXPECT_EQ(edit, dialog.field(n));
    EXPECT_EQ(edit->geometry(), QRect(c.fieldAt, QSize(121, 21)));
    QWidget* next = n < dialog.fieldCount() ? static_cast<QWidget*>(dialog.field(n + 1)) : dialog.okButton();
    EXPECT_EQ(NextTabStop(edit), next) << "tab order after Edit" << n;
  }

  auto* ok = dialog.findChild<QPushButton*>("ok");
  auto* cancel = dialog.findChild<QPushButton*>(d.cancelName);
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok, dialog.okButton());
  EXPECT_EQ(cancel, dialog.cancelButton());
  EXPECT_EQ(NextTabStop(ok), cancel);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(cancel->text(), "Cancel");
  EXPECT_EQ(ok->geometry(), QRect(d.okAt, QSize(75, 25)));
  EXPECT_EQ(cancel->geometry(), QRect(d.cancelAt, QSize(75, 25)));
  for (const QPushButton* button : {ok, cancel}) {
    EXPECT_EQ(button->font().family(), QString::fromUtf8("隶书"));
    EXPECT_EQ(button->font().pixelSize(), 14);
    EXPECT_TRUE(button->font().bold() && button->font().italic());
    EXPECT_FALSE(button->isDefault() || button->autoDefault());
  }
}

TYPED_TEST(SearchDialogs, EnterInEachFieldClicksOkOnce) {
  this->Open();
  SearchDialog& dialog = this->dialog;
  Session& s = this->s;
  EnterCounter panel;
  dialog.findChild<QWidget*>("Panel1")->installEventFilter(&panel);
  for (int n = 1; n <= dialog.fieldCount(); ++n) {
    s.highlight.mode = HighlightMode::hmBoard;
    s.pictures.ClearHeader();
    dialog.ShowDialog();
    dialog.ClearFields();
    dialog.SetFieldText(n, this->design.held);
    QSignalSpy clicks(dialog.okButton(), &QPushButton::clicked);
    panel.keys = 0;
    this->handlersRun = 0;
    QTest::keyClick(dialog.field(n), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1) << "Edit" << n;
    EXPECT_EQ(this->handlersRun, 1) << "Edit" << n;
    EXPECT_EQ(panel.keys, this->design.enterIsConsumed ? 0 : 1) << "Edit" << n;
    EXPECT_EQ(s.highlight.mode, this->design.mode);
    EXPECT_NE(s.pictures.header[static_cast<std::size_t>(n - 1)].find(this->design.held), std::string::npos)
        << "the search of Edit" << n << "'s text fills header line " << n << ": " << s.pictures.header[n - 1];
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.FieldText(n), this->design.held);
  }
  EXPECT_TRUE(this->errors.empty());
}

TYPED_TEST(SearchDialogs, OkWithABoardRunsTheSearchAndHides) {
  this->Open();
  this->ClickOk(this->design.held);
  EXPECT_TRUE(this->errors.empty());
  EXPECT_EQ(this->s.highlight.mode, this->design.mode);
  EXPECT_NE(this->s.pictures.header[0].find(this->design.held), std::string::npos)
      << this->s.pictures.header[0];
  EXPECT_FALSE(this->dialog.isVisible());
}

TYPED_TEST(SearchDialogs, OkWithoutABoardDoesNothingAndStaysOpen) {
  this->s.pictures.header[0] = "start";
  this->ClickOk(this->design.held);
  EXPECT_TRUE(this->errors.empty());
  EXPECT_EQ(this->s.highlight.mode, HighlightMode::hmNone);
  EXPECT_EQ(this->s.pictures.header[0], "start");
  EXPECT_TRUE(this->dialog.isVisible());
}

TYPED_TEST(SearchDialogs, OkWithAMissingCompanionFileShowsTheErrorAndStaysOpen) {
  this->Open(false);
  ASSERT_EQ(this->errors, std::vector<std::string>{"File not found."}) << "the open's bottom side";
  this->errors.clear();
  const HighlightMode mode = this->s.highlight.mode;
  this->ClickOk(this->design.held);
  EXPECT_EQ(this->errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(this->s.highlight.mode, mode);
  EXPECT_TRUE(this->dialog.isVisible());
}

TYPED_TEST(SearchDialogs, CancelHidesAndChangesNothingElse) {
  this->Open();
  this->ClickOk(this->design.held);
  Session& s = this->s;
  const QImage top = s.pictures.sides.top.image().copy();
  const std::array<std::string, 3> header = s.pictures.header;
  this->dialog.ShowDialog();
  this->dialog.SetFieldText(1, this->design.other);
  QTest::mouseClick(this->dialog.cancelButton(), Qt::LeftButton);
  EXPECT_FALSE(this->dialog.isVisible());
  EXPECT_EQ(s.pictures.sides.top.image(), top);
  EXPECT_EQ(s.pictures.header, header);
  EXPECT_EQ(s.highlight.mode, this->design.mode);
  EXPECT_EQ(this->dialog.FieldText(1), this->design.other);
}

// Escape, from whichever control has the focus, does what Cancel does.
TYPED_TEST(SearchDialogs, EscapeFromAnyControlHidesAsCancelDoes) {
  this->Open();
  SearchDialog& dialog = this->dialog;
  std::vector<QWidget*> controls = {dialog.okButton(), dialog.cancelButton()};
  for (int n = 1; n <= dialog.fieldCount(); ++n) controls.push_back(dialog.field(n));
  for (QWidget* control : controls) {
    dialog.ShowDialog();
    dialog.SetFieldText(1, this->design.other);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible()) << control->objectName().toStdString();
    EXPECT_EQ(dialog.FieldText(1), this->design.other);
  }
  EXPECT_EQ(this->s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(this->errors.empty());
}

// With the list of names open, Escape closes the list and leaves the dialog.
TYPED_TEST(SearchDialogs, EscapeInAnOpenListOfNamesOnlyClosesTheList) {
  this->Open();
  SearchDialog& dialog = this->dialog;
  dialog.ShowDialog();
  QTest::keyClicks(dialog.field(1), QString::fromLatin1(this->design.held).left(1));
  NameCompleter* completer = dialog.completer(1);
  completer->CompleteNow();
  ASSERT_TRUE(completer->popupVisible());
  QTest::keyClick(completer->keyTarget(), Qt::Key_Escape);
  EXPECT_FALSE(completer->popupVisible());
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(completer->keyTarget(), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
}

// The menu item and the main window's letter key open the dialog with the
// cursor in its first field, wherever it was when the dialog was last shown.
TYPED_TEST(SearchDialogs, OpeningPutsTheCursorInTheFirstField) {
  this->Open();
  SearchDialog& dialog = this->dialog;
  TFrm_Main& main = *this->app.main;
  const std::function<void()> ways[] = {[&] { main.menuAction(this->design.menu)->trigger(); },
                                        [&] { main.FormKeyPress(this->design.key); }};
  main.show();
  for (const auto& open : ways) {
    dialog.ShowDialog();
    dialog.okButton()->setFocus();
    dialog.hide();
    main.activateWindow();
    QApplication::processEvents();  // the platform activates the window it is asked to
    ASSERT_EQ(QApplication::activeWindow(), &main);
    open();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.field(1));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), dialog.field(1));
  }
}

TYPED_TEST(SearchDialogs, TheCloseBoxHidesAndChangesNothing) {
  this->Open();
  this->dialog.ShowDialog();
  this->dialog.SetFieldText(1, this->design.held);
  EXPECT_TRUE(this->dialog.close());
  EXPECT_FALSE(this->dialog.isVisible());
  EXPECT_EQ(this->dialog.FieldText(1), this->design.held);
  EXPECT_EQ(this->s.highlight.mode, HighlightMode::hmBoard);
}

// Redraw searches what the field holds at that moment, confirmed or not.
TYPED_TEST(SearchDialogs, TheMainWindowsRedrawSearchesWhatTheFieldHoldsNow) {
  this->Open();
  this->ClickOk(this->design.held);
  this->dialog.SetFieldText(1, this->design.other);
  this->app.main->Redraw();
  EXPECT_TRUE(this->errors.empty());
  EXPECT_NE(this->s.pictures.header[0].find(this->design.other), std::string::npos)
      << this->s.pictures.header[0];
  EXPECT_EQ(this->s.highlight.mode, this->design.mode);
}

// Typing offers the board's names of the dialog's kind, from both files
// without repeats; Enter in the list picks one and does not search, Enter
// after it searches.
TYPED_TEST(SearchDialogs, TypingOffersNamesAndEnterInTheListOnlyPicks) {
  this->Open();
  SearchDialog& dialog = this->dialog;
  dialog.ShowDialog();
  const QString held = QString::fromLatin1(this->design.held),
                other = QString::fromLatin1(this->design.other);
  QSignalSpy clicks(dialog.okButton(), &QPushButton::clicked);
  qsizetype common = 0;  // what the two names begin with, typed in lower case
  while (held[common] == other[common]) ++common;
  QTest::keyClicks(dialog.field(1), held.left(common).toLower());
  NameCompleter* completer = dialog.completer(1);
  ASSERT_NE(completer, nullptr);
  EXPECT_TRUE(completer->shown().isEmpty()) << "nothing before typing pauses";
  completer->CompleteNow();
  EXPECT_EQ(completer->shown(), (QStringList{held, other}));

  QTest::keyClick(completer->keyTarget(), Qt::Key_Down);
  QTest::keyClick(completer->keyTarget(), Qt::Key_Return);
  EXPECT_EQ(dialog.field(1)->text(), other);
  EXPECT_FALSE(completer->popupVisible());
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(this->s.highlight.mode, HighlightMode::hmBoard);

  QTest::keyClick(completer->keyTarget(), Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(this->s.highlight.mode, this->design.mode);
}

// What only one dialog does.
using OpenShortDialog = SearchDialogs<TFrm_Nail>;

TEST_F(OpenShortDialog, APointInquiryHitEmptiesItsFieldsAndAMissDoesNot) {
  Open();
  dialog.SetFieldText(1, "TP1");
  dialog.SetFieldText(3, "TP3");
  app.main->ImageMouseDown(Side::Top, ImageView::Button::Left, 10, 10);
  EXPECT_EQ(dialog.SlotTexts(), (SlotNames{"TP1", "", "TP3"}));
  // U1.1 at (1.5, 1) lies at pixel (267, 280) of the top side.
  app.main->ImageMouseDown(Side::Top, ImageView::Button::Left, 267, 280);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmPoint);
  EXPECT_EQ(dialog.SlotTexts(), (SlotNames{"", "", ""}));
}

using DeviceDialog = SearchDialogs<TFrm_Parts>;

TEST_F(DeviceDialog, OkDrawsTheOverviewOfDeviceOne) {
  Open();
  ClickOk("u1");
  EXPECT_EQ(dialog.SlotTexts(), (SlotNames{"u1", "", ""}));
  EXPECT_FALSE(s.TopShown()) << "U1 is on both sides";
  EXPECT_TRUE(app.overview->isVisible());
  EXPECT_EQ(app.overview->pos(), QPoint(514, 386));
  EXPECT_EQ(app.overview->Shows(), "bottom");
  EXPECT_TRUE(s.pictures.overview.Drawn(Side::Bottom));
}

}  // namespace
}  // namespace vantrel
