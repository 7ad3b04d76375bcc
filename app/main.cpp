// vantrel [--help] [--version] [BOARD.brd]: the board viewer. With a board
// file named, it opens that board at start as if it had been chosen in the
// open dialog.
#include <QApplication>

#include "app/application.h"
#include "app/start_up.h"
#include "search/error_handler.h"

int main(int argc, char** argv) {
  if (vantrel::AsksOnlyForAnswer(argc, argv)) {
    const QCoreApplication core(argc, argv);
    return vantrel::PrintAnswer(vantrel::ParseViewerCommandLine(QCoreApplication::arguments()));
  }
  QApplication qapp(argc, argv);
  vantrel::SetUpApplication();
  const vantrel::CommandLine line = vantrel::ParseViewerCommandLine(QApplication::arguments());
  if (line.exitStatus) return vantrel::PrintAnswer(line);

  vantrel::Application app(1.0, {.reportError = vantrel::ShowErrorBox});
  vantrel::StartViewer(app, line.file);
  return QApplication::exec();
}
