// vantrel [BOARD.brd]: the board viewer. With a board file named, it opens
// that board at start as if it had been chosen in the open dialog.
#include <QApplication>

#include <filesystem>

#include "app/application.h"
#include "render/fonts.h"
#include "search/error_handler.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vantrel"));
  vantrel::RegisterFontSubstitutions();

  vantrel::SetErrorReporter(vantrel::ShowErrorBox);
  vantrel::Application app(1.0);
  app.main->ShowOnScreen();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    app.main->OpenBoard(std::filesystem::absolute(args.at(1).toStdString()).lexically_normal().string());
  }
  return QApplication::exec();
}
