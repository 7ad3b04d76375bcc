#include "app/start_up.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSettings>

#include <filesystem>
#include <iostream>
#include <set>
#include <string_view>

#include "app/application.h"
#include "render/fonts.h"

namespace vantrel {

namespace {

// A folder below a file can never be made, so nothing is ever written there.
constexpr const char* kNowhere = "/dev/null";

constexpr const char* kBatchCommands =
    "\nScript commands, one a line (# starts a comment):\n"
    "  open PATH              open a board file\n"
    "  open                   the open dialog, cancelled\n"
    "  close, exit            the File menu's Close and Exit\n"
    "  key CHARS              type characters into the main window\n"
    "  keys NAME...           press keys by name (Left, PageUp, Equal, Escape, F11,\n"
    "                         PgUp, Ctrl+Left) where the keyboard's keys go\n"
    "  press X Y [right|middle], move X Y, dblclick X Y\n"
    "                         the mouse on the side shown, in design pixels\n"
    "  wheel X Y N            N notches of the wheel (positive zooms in)\n"
    "  drag X1 Y1 X2 Y2       drag with the left button\n"
    "  hover X Y              rest the pointer there and ask for its tooltip\n"
    "  menu ITEM              open/short, comppin, device, nets, export, print, copy,\n"
    "                         rotate, rotate-ccw, mirror, names, fit, content, keys,\n"
    "                         about (export and print: dialog cancelled)\n"
    "  field DIALOG N TEXT    put TEXT into field N of nail, comp, device or net\n"
    "  type DIALOG N TEXT     type TEXT into that field key by key\n"
    "  enter DIALOG N         Enter in that field\n"
    "  ok DIALOG, cancel DIALOG\n"
    "                         the dialog's buttons\n"
    "  overview CHARS         type characters into the overview window\n"
    "  resize W H             the window's client area in device pixels\n"
    "  rotate [ccw], mirror   turn the pictures a quarter, or mirror them\n"
    "  labels on|off          names on the board\n"
    "  export PATH            File > Export picture to PATH, PNG or PDF by its extension\n"
    "  print PATH.pdf         File > Print into the PDF file PATH\n"
    "  copy                   Edit > Copy: the picture and the header lines\n"
    "  wait MS                let the program run for MS milliseconds (files followed)\n"
    "  dump DIR               write the pictures, screen.png and state.json\n";

std::string Absolute(const QString& file) {
  return std::filesystem::absolute(file.toStdString()).lexically_normal().string();
}

struct Syntax {
  const char* description;
  const char* argument;
  const char* argumentHelp;
  const char* argumentSyntax;
  bool argumentRequired;
  int usageStatus;
  const char* afterHelp;
};

CommandLine Parse(const QStringList& arguments, const Syntax& syntax) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(syntax.description));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QString::fromLatin1(syntax.argument), QString::fromUtf8(syntax.argumentHelp),
                               QString::fromLatin1(syntax.argumentSyntax));
  const QString program = QFileInfo(arguments.value(0)).fileName();
  auto usageError = [&](const QString& text) {
    return CommandLine{.file = std::nullopt,
                       .exitStatus = syntax.usageStatus,
                       .answer = (program + QStringLiteral(": ") + text + QStringLiteral("\nTry '") +
                                  program + QStringLiteral(" --help'.\n"))
                                     .toStdString()};
  };
  if (!parser.parse(arguments)) return usageError(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    return {
        .file = std::nullopt, .exitStatus = 0, .answer = parser.helpText().toStdString() + syntax.afterHelp};
  }
  if (parser.isSet(QStringLiteral("version"))) {
    return {.file = std::nullopt,
            .exitStatus = 0,
            .answer = (program + QStringLiteral(" ")).toStdString() + ProgramVersion() + "\n"};
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return usageError(QStringLiteral("one %1 at most").arg(syntax.argument));
  if (files.isEmpty()) {
    if (syntax.argumentRequired) return usageError(QStringLiteral("no %1 given").arg(syntax.argument));
    return {};
  }
  return {.file = files.front() == QStringLiteral("-") ? "-" : Absolute(files.front()),
          .exitStatus = std::nullopt,
          .answer = {}};
}

}  // namespace

const char* ProgramVersion() { return VANTREL_VERSION; }

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  QApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion()));
  QGuiApplication::setDesktopFileName(QStringLiteral("vantrel"));
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
      QSettings::setPath(format, scope, QString::fromLatin1(kNowhere));
    }
  }
  RegisterFontSubstitutions();
}

bool IsPlatformChatter(QtMsgType type, const char* category, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg) return false;
  const std::string_view name = category ? category : "";
  if (name == "qt.qpa" || name.starts_with("qt.qpa.")) return true;
  return name == "default" && (message.startsWith(QLatin1String("This plugin does not support ")) ||
                               message.startsWith(QLatin1String("QStandardPaths: ")));
}

namespace {

QtMessageHandler previousHandler = nullptr;

void DropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (IsPlatformChatter(type, context.category, message)) return;
  if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void QuietPlatformMessages() { previousHandler = qInstallMessageHandler(DropPlatformChatter); }

CommandLine ParseViewerCommandLine(const QStringList& arguments) {
  return Parse(arguments, {.description = "Board viewer for test fixtures and repair: opens a board file "
                                          "(.brd) with its bottom side jet.CON beside it.",
                           .argument = "board",
                           .argumentHelp = "The board file to open at start.",
                           .argumentSyntax = "[BOARD.brd]",
                           .argumentRequired = false,
                           .usageStatus = 1,
                           .afterHelp = ""});
}

CommandLine ParseBatchCommandLine(const QStringList& arguments) {
  return Parse(arguments, {.description = "Replays a script of user actions on the viewer's windows, with "
                                          "nothing shown, and writes what a user would see. Exit status 0 "
                                          "when the script ran to its end, 2 for a script that cannot be "
                                          "read or holds a malformed command.",
                           .argument = "script",
                           .argumentHelp = "The script file; - reads standard input.",
                           .argumentSyntax = "SCRIPT",
                           .argumentRequired = true,
                           .usageStatus = 2,
                           .afterHelp = kBatchCommands});
}

bool AsksOnlyForAnswer(int argc, const char* const* argv) {
  const std::set<std::string_view> answers = {"-h", "--help", "-v", "--version"};
  return argc == 2 && answers.count(argv[1]);
}

int PrintAnswer(const CommandLine& line) {
  const int status = line.exitStatus.value_or(0);
  (status == 0 ? std::cout : std::cerr) << line.answer << std::flush;
  return status;
}

void StartViewer(Application& app, const std::optional<std::string>& board) {
  app.main->ShowOnScreen();
  if (board) app.main->OpenBoard(*board);
}

}  // namespace vantrel
