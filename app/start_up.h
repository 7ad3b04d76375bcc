// How the two programs start: what they set on the application before any
// window exists, their command lines, and the viewer's first moments.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <string>

namespace vantrel {

class Application;

// The program's version, as --version and the about window give it.
const char* ProgramVersion();

// Run once the QApplication exists, before any window is made: the program's
// name and version, its desktop entry, the font substitutions, and a settings
// store that lies nowhere. The toolkit's open dialog remembers its folders in
// the user's configuration folder when it closes; with the store nowhere it
// keeps them for the session only, and the program writes no file. The
// display name stays unset, so that the toolkit adds nothing to the captions.
void SetUpApplication();

// What a command line asks for: the file to work on (absolute), or an answer
// to print and the status to end with.
struct CommandLine {
  std::optional<std::string> file;
  std::optional<int> exitStatus;
  std::string answer;  // for standard output with status 0, else standard error
};

// The batch program's standard error holds its own lines only: the messages
// that the toolkit's platform layer writes on its own account are dropped.
// Those are the platform plugins' categories (qt.qpa.*), and in the default
// category the offscreen platform's "This plugin does not support raise()"
// (and the like) and QStandardPaths' complaints about the runtime folder,
// which the program never uses. Critical and fatal messages always pass.
bool IsPlatformChatter(QtMsgType type, const char* category, const QString& message);
// Installs a message handler that drops them and passes every other message
// on to the handler before it. Call it before the QApplication exists.
void QuietPlatformMessages();

// vantrel [--help] [--version] [BOARD.brd]; a usage error ends with status 1.
CommandLine ParseViewerCommandLine(const QStringList& arguments);
// vantrel-batch [--help] [--version] SCRIPT|-; a usage error ends with status 2.
CommandLine ParseBatchCommandLine(const QStringList& arguments);

// True when the command line asks for --help or --version alone: those are
// answered before the windows' application exists, so with no display.
bool AsksOnlyForAnswer(int argc, const char* const* argv);
// Prints a command line's answer where it belongs; returns its exit status.
int PrintAnswer(const CommandLine& line);

// Shows the main window and opens the board named on the command line, as if
// it had been chosen in the open dialog: a board that cannot be read shows
// its message, and the program goes on.
void StartViewer(Application& app, const std::optional<std::string>& board);

}  // namespace vantrel
