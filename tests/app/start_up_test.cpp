// How the programs start: their command lines, a board named on the command
// line, and two sessions in a child process of this test: a whole one with
// empty home and XDG folders, which must stay empty, and one under Xvfb,
// where the window names and owners that the window manager reads are checked.
#include "app/start_up.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/batch_runner.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

std::string ExampleBoard() { return (test::ExamplesDir() / "demo" / "demo.brd").string(); }

struct CommandLineCase {
  const char* name;
  bool batch;
  QStringList arguments;  // after the program's name
  std::optional<std::string> file;
  std::optional<int> exitStatus;
  std::vector<std::string> answerHolds;
};

class CommandLines : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLines, GiveTheFileOrTheAnswer) {
  const CommandLineCase& c = GetParam();
  const QStringList arguments = QStringList{c.batch ? "vantrel-batch" : "vantrel"} + c.arguments;
  const CommandLine line = c.batch ? ParseBatchCommandLine(arguments) : ParseViewerCommandLine(arguments);
  EXPECT_EQ(line.file, c.file);
  EXPECT_EQ(line.exitStatus, c.exitStatus);
  for (const std::string& text : c.answerHolds) EXPECT_NE(line.answer.find(text), std::string::npos) << text;
  if (c.answerHolds.empty()) {
    EXPECT_EQ(line.answer, "");
  }
}

std::vector<CommandLineCase> CommandLineCases() {
  const std::string version = ProgramVersion();
  const std::string here = QDir::currentPath().toStdString();
  return {
      {"ViewerAlone", false, {}, std::nullopt, std::nullopt, {}},
      {"ViewerBoard", false, {"x/../b.brd"}, here + "/b.brd", std::nullopt, {}},
      {"ViewerHelp", false, {"--help"}, std::nullopt, 0, {"[BOARD.brd]", "--version"}},
      {"ViewerVersion", false, {"-v"}, std::nullopt, 0, {"vantrel " + version + "\n"}},
      {"ViewerUnknownOption", false, {"-x"}, std::nullopt, 1, {"vantrel: Unknown option 'x'."}},
      {"ViewerTwoBoards", false, {"a.brd", "b.brd"}, std::nullopt, 1, {"one board at most"}},
      {"BatchScript", true, {"/s.txt"}, "/s.txt", std::nullopt, {}},
      {"BatchStandardInput", true, {"-"}, "-", std::nullopt, {}},
      {"BatchNoScript", true, {}, std::nullopt, 2, {"vantrel-batch: no script given"}},
      {"BatchVersion", true, {"--version"}, std::nullopt, 0, {"vantrel-batch " + version + "\n"}},
      // Every command of the runner, described.
      {"BatchHelp",
       true,
       {"-h"},
       std::nullopt,
       0,
       {"SCRIPT", "open PATH", "\n  open ", "close, exit", "key CHARS", "press X Y [right|middle]",
        "move X Y", "dblclick X Y", "wheel X Y N", "drag X1 Y1 X2 Y2", "hover X Y", "menu ITEM",
        "field DIALOG N TEXT", "type DIALOG N TEXT", "enter DIALOG N", "ok DIALOG, cancel DIALOG",
        "overview CHARS", "resize W H", "dump DIR"}},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLines, testing::ValuesIn(CommandLineCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Help and version need no display: they are answered before the windows'
// application exists.
// What the batch program drops from its standard error: the platform layer's
// own messages, never another category's, nor a critical one.
TEST(StartUp, OnlyThePlatformsChatterIsDropped) {
  struct Case {
    QtMsgType type;
    const char* category;
    const char* message;
    bool dropped;
  };
  const Case cases[] = {
      {QtWarningMsg, "default", "This plugin does not support raise()", true},
      {QtWarningMsg, "default", "This plugin does not support propagateSizeHints()", true},
      {QtWarningMsg, "default", "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-x'",
       true},
      {QtWarningMsg, "qt.qpa.xcb", "QXcbConnection: XCB error: 3 (BadWindow)", true},
      {QtDebugMsg, "qt.qpa.fonts", "Populating font family aliases", true},
      {QtInfoMsg, "qt.qpa", "anything", true},
      {QtCriticalMsg, "qt.qpa.xcb", "could not connect to display", false},
      {QtFatalMsg, "default", "This plugin does not support raise()", false},
      {QtWarningMsg, "default", "QPainter::begin: Paint device returned engine == 0, type: 3", false},
      {QtWarningMsg, "default", "QWidget::setTabOrder: 'first' and 'second' must be in the same window",
       false},
      {QtWarningMsg, "qt.qpatch", "not the platform", false},
      {QtWarningMsg, "qt.text.font.db", "This plugin does not support raise()", false},
      {QtWarningMsg, nullptr, "This plugin does not support raise()", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPlatformChatter(c.type, c.category, QString::fromLatin1(c.message)), c.dropped)
        << (c.category ? c.category : "(none)") << ": " << c.message;
  }
}

TEST(StartUp, HelpAndVersionNeedNoDisplay) {
  for (const char* option : {"--help", "--version"}) {
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    viewer.setProcessEnvironment(env);
    viewer.start(QStringLiteral(VANTREL_VIEWER_EXE), {QString::fromLatin1(option)});
    ASSERT_TRUE(viewer.waitForFinished(60000)) << option;
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit) << option;
    EXPECT_EQ(viewer.exitCode(), 0) << option;
    EXPECT_TRUE(viewer.readAllStandardOutput().contains("vantrel")) << option;
  }
}

// The toolkit adds " — <display name>" to every window's caption once a
// display name is set.
TEST(StartUp, LeavesTheDisplayNameUnset) {
  SetUpApplication();
  QGuiApplication::setApplicationName(QStringLiteral("Other"));
  EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Other");
  QGuiApplication::setApplicationName(QStringLiteral("Vantrel"));
}

TEST(StartUp, ABoardThatCannotBeReadShowsItsMessageAndTheProgramGoesOn) {
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {(dir.path() / "none.brd").string(), "File not found."}, {dir.path().string(), "File access denied."}};
  for (const auto& [board, message] : cases) {
    Application app(1.0);
    const BatchRunner recorder(app);  // records the messages
    StartViewer(app, board);
    EXPECT_TRUE(app.main->isVisible());
    EXPECT_EQ(recorder.errors(), std::vector<std::string>{message});
    app.main->OpenBoard(ExampleBoard());
    EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard) << board;
    EXPECT_EQ(recorder.errors().size(), 1u);
  }
}

// Runs one test of this program in a child process, with `env` and under
// `wrapper` (a command put before it); the test must run and pass there.
void RunInChild(const char* test, const QProcessEnvironment& env, const QString& workDir,
                QStringList wrapper = {}) {
  QProcess child;
  child.setProcessEnvironment(env);
  child.setWorkingDirectory(workDir);
  child.setProcessChannelMode(QProcess::MergedChannels);
  wrapper << QCoreApplication::applicationFilePath() << QStringLiteral("--gtest_filter=") + test;
  const QString program = wrapper.takeFirst();
  child.start(program, wrapper);
  ASSERT_TRUE(child.waitForFinished(180000)) << test;
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test.")) &&
              !output.contains(QStringLiteral("SKIPPED")))
      << output.toStdString();
}

// True in the child process that a test of the suite StartUp starts.
bool InChild(const char* variable) { return qEnvironmentVariableIsSet(variable); }

// The file dialog shown next (the open or the export dialog) chooses `file`
// ("": is cancelled).
void AnswerFileDialog(const std::string& file) {
  QTimer::singleShot(0, [file] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    if (file.empty()) return dialog->reject();
    dialog->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(dialog)->accept();
  });
}

// The session: the open dialog, chosen and cancelled, the export dialog,
// every search, every window, the keys and the mouse.
TEST(ChildSession, EveryWindowAndTheOpenDialog) {
  if (!InChild("VANTREL_TEST_SESSION")) GTEST_SKIP() << "run by StartUp.AWholeSessionWritesNoFile";
  SetUpApplication();
  Application app(1.0);
  StartViewer(app, std::nullopt);
  AnswerFileDialog(ExampleBoard());
  app.main->open1Click();
  EXPECT_EQ(app.session.document.BoardFile, ExampleBoard());
  AnswerFileDialog("");
  app.main->open1Click();
  const std::string picture = qEnvironmentVariable("VANTREL_TEST_EXPORT").toStdString();
  AnswerFileDialog(picture);
  app.main->export1Click();
  EXPECT_TRUE(std::filesystem::exists(picture));

  BatchRunner runner(app);
  runner.Run(
      "key +-4682 0/\npress 392 280\nmove 300 200\ndblclick 392 280\npress 10 10 right\n"
      "wheel 392 280 2\nwheel 392 280 -1\ndrag 300 200 350 260\nhover 392 280\n"
      "menu open/short\nfield nail 1 T1\nok nail\nmenu comppin\nfield comp 1  U1.1\nok comp\n"
      "menu device\nfield device 1 U1\nok device\noverview 4682v\nkey V\noverview v\n"
      "menu nets\ntype net 1 GN\nfield net 1 GND\nenter net 1\n"
      "menu content\nmenu keys\nmenu about\nresize 1024 768\n"
      "close\nopen " +
      ExampleBoard() + "\nexit\n");
  EXPECT_EQ(runner.errors(), std::vector<std::string>{});
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
}

TEST(StartUp, AWholeSessionWritesNoFile) {
  TempDir dir;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  const std::pair<const char*, const char*> folders[] = {{"HOME", "home"},
                                                         {"XDG_CONFIG_HOME", "config"},
                                                         {"XDG_CACHE_HOME", "cache"},
                                                         {"XDG_DATA_HOME", "data"},
                                                         {"XDG_STATE_HOME", "state"},
                                                         {"XDG_RUNTIME_DIR", "runtime"},
                                                         {"TMPDIR", "tmp"},
                                                         {"", "work"}};
  for (const auto& [variable, folder] : folders) {
    const std::filesystem::path path = dir.path() / folder;
    std::filesystem::create_directory(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    if (*variable) env.insert(QString::fromLatin1(variable), QString::fromStdString(path.string()));
  }
  env.insert(QStringLiteral("VANTREL_TEST_SESSION"), QStringLiteral("1"));
  // The one file the session writes, where the user names it.
  std::filesystem::create_directory(dir.path() / "export");
  const std::filesystem::path picture = dir.path() / "export" / "board.pdf";
  env.insert(QStringLiteral("VANTREL_TEST_EXPORT"), QString::fromStdString(picture.string()));
  RunInChild("ChildSession.EveryWindowAndTheOpenDialog", env,
             QString::fromStdString((dir.path() / "work").string()));

  QStringList written;
  for (const auto& [variable, folder] : folders) {
    QDirIterator it(QString::fromStdString((dir.path() / folder).string()),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) written << it.next();
  }
  EXPECT_TRUE(written.isEmpty()) << written.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(std::filesystem::exists(picture));
}

// The names of the X11 windows as the window manager reads them, and the
// window each one is transient for (0 for none).
struct X11Window {
  QString name;
  QString transientFor;
};

X11Window ReadX11Window(const QWidget& window) {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                        QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_TRANSIENT_FOR")});
  xprop.waitForFinished(30000);
  const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
  const QRegularExpressionMatch name =
      QRegularExpression(QStringLiteral("_NET_WM_NAME\\(UTF8_STRING\\) = \"(.*)\"")).match(out);
  const QRegularExpressionMatch owner =
      QRegularExpression(QStringLiteral("window id # (0x[0-9a-f]+)")).match(out);
  return {name.captured(1), owner.hasMatch() ? QString::number(owner.captured(1).toULongLong(nullptr, 16))
                                             : QStringLiteral("0")};
}

TEST(ChildSession, WindowsOnX11) {
  if (!InChild("VANTREL_TEST_X11"))
    GTEST_SKIP() << "run by StartUp.X11WindowsCarryTheirCaptionsAndTheMainWindowAsOwner";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  SetUpApplication();
  Application app(1.0);
  StartViewer(app, std::nullopt);
  const std::pair<QWidget*, QString> windows[] = {{app.main.get(), app.main->windowTitle()},
                                                  {&app.dialog(SearchKind::OpenShort), "Open/Short"},
                                                  {&app.dialog(SearchKind::Device), "Device"},
                                                  {&app.dialog(SearchKind::CompPin), "Component Pin"},
                                                  {&app.dialog(SearchKind::Net), "frm_Net"},
                                                  {app.content.get(), "Content"},
                                                  {app.about.get(), "About"},
                                                  {app.keys.get(), "Keys and mouse"},
                                                  {app.overview.get(), ""}};
  for (const auto& [window, caption] : windows) {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window)) << caption.toStdString();
  }
  const QString mainId = QString::number(app.main->winId());
  for (const auto& [window, caption] : windows) {
    const X11Window seen = ReadX11Window(*window);
    if (window != app.overview.get()) {
      EXPECT_EQ(seen.name.toStdString(), caption.toStdString());
    }
    EXPECT_EQ(seen.transientFor.toStdString(),
              (window == app.main.get() ? QStringLiteral("0") : mainId).toStdString())
        << caption.toStdString();
  }
}

TEST(StartUp, X11WindowsCarryTheirCaptionsAndTheMainWindowAsOwner) {
  for (const char* tool : {"xvfb-run", "xauth", "xprop"}) {
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
      GTEST_SKIP() << tool << " is missing (scripts/install-deps.sh installs it)";
    }
  }
  // The X11 platform's D-Bus library keeps a buffer to the end, which the
  // leak checker of a sanitizer build would count against the program.
  const TempDir dir;
  const std::string suppressions = dir.Write("lsan.supp", "leak:libdbus-1.so\n");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("VANTREL_TEST_X11"), QStringLiteral("1"));
  env.insert(QStringLiteral("LSAN_OPTIONS"), QString::fromStdString("suppressions=" + suppressions));
  RunInChild("ChildSession.WindowsOnX11", env, QDir::currentPath(),
             {QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
              QStringLiteral("-screen 0 1280x1024x24")});
}

}  // namespace
}  // namespace vantrel
