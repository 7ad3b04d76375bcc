// vantrel-batch SCRIPT|-: replays a script of user actions on the program's
// windows under the offscreen platform and writes what a user would see.
// Exit status 0 when the script ran to its end, 2 for a script that cannot be
// read or holds a malformed command.
#include <QApplication>

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "app/application.h"
#include "app/batch_runner.h"
#include "render/fonts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vantrel-batch SCRIPT   (- reads standard input)\n";
    return 2;
  }
  std::string script;
  if (std::string(argv[1]) == "-") {
    script.assign(std::istreambuf_iterator<char>(std::cin), {});
  } else {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
      std::cerr << "vantrel-batch: cannot read " << argv[1] << "\n";
      return 2;
    }
    script.assign(std::istreambuf_iterator<char>(in), {});
  }

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  vantrel::RegisterFontSubstitutions();
  vantrel::Application app(1.0);
  vantrel::BatchRunner runner(app);
  try {
    runner.Run(script);
  } catch (const vantrel::BatchError& e) {
    std::cerr << "vantrel-batch: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
