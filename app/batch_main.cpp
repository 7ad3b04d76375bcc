// vantrel-batch [--help] [--version] SCRIPT|-: replays a script of user
// actions on the program's windows under the offscreen platform and writes
// what a user would see. Exit status 0 when the script ran to its end, 2 for
// a script that cannot be read or holds a malformed command. Standard error
// holds the program's own lines, not the offscreen platform's chatter.
#include <QApplication>

#include <fstream>
#include <iostream>
#include <iterator>

#include "app/application.h"
#include "app/batch_runner.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vantrel::QuietPlatformMessages();
  QApplication qapp(argc, argv);
  vantrel::SetUpApplication();
  const vantrel::CommandLine line = vantrel::ParseBatchCommandLine(QApplication::arguments());
  if (line.exitStatus) return vantrel::PrintAnswer(line);

  std::string script;
  if (*line.file == "-") {
    script.assign(std::istreambuf_iterator<char>(std::cin), {});
  } else {
    std::ifstream in(*line.file, std::ios::binary);
    if (!in) {
      std::cerr << "vantrel-batch: cannot read " << *line.file << "\n";
      return 2;
    }
    script.assign(std::istreambuf_iterator<char>(in), {});
  }

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
