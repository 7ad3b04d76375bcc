// vantrel-batch as a user runs it: a script file or standard input, its exit
// status, and the files that `dump` writes.
#include <gtest/gtest.h>

#include <QJsonArray>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

// Runs a shell command; its exit status, and what it printed in `output`.
int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string printed;
  char chunk[4096];
  while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) printed.append(chunk, n);
  const int status = ::pclose(pipe);
  if (output) *output = printed;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// vantrel-batch with its standard output and error in `errors`.
int RunBatch(const std::string& arguments, std::string* errors = nullptr) {
  return RunCommand(std::string(VANTREL_BATCH_EXE) + " " + arguments + " 2>&1", errors);
}

TEST(BatchCli, RunsTheExampleBoardAndDumpsWhatAUserSees) {
  TempDir dir;
  const std::string script = dir.Write("s.txt", "# the example board, zoomed in once\nopen " +
                                                    (test::ExamplesDir() / "demo" / "demo.brd").string() +
                                                    "\nkey +\ndump " + (dir.path() / "out").string() + "\n");
  std::string output;
  EXPECT_EQ(RunBatch(script, &output), 0) << output;
  for (const char* f :
       {"top.png", "bottom.png", "header.png", "overview-top.png", "overview-bottom.png", "state.json"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / f)) << f;
  }
  EXPECT_EQ(test::ReadState(dir.path() / "out")["view"]["ZoomStep"], 1);
}

TEST(BatchCli, MessageBoxesGoToStandardErrorAndDoNotStopTheRun) {
  TempDir dir;
  const std::string script = dir.Write("s.txt", "open " + (dir.path() / "missing.brd").string() +
                                                    "\nkey 4\ndump " + (dir.path() / "out").string() + "\n");
  std::string output;
  EXPECT_EQ(RunBatch(script, &output), 0);
  EXPECT_NE(output.find("File not found."), std::string::npos);
  EXPECT_EQ(test::ReadState(dir.path() / "out")["errors"], QJsonArray{"File not found."});
}

// Standard error holds the program's own lines only, whatever the windows do
// on the offscreen platform and whether or not the session has a runtime folder.
TEST(BatchCli, StandardErrorHoldsOnlyTheProgramsOwnLines) {
  TempDir dir;
  const std::string board = (test::ExamplesDir() / "demo" / "demo.brd").string();
  const std::string script =
      dir.Write("s.txt", "open " + (dir.path() / "missing.brd").string() + "\nopen " + board +
                             "\nresize 1920 1080\nkey +v\nmenu nets\ntype net 1 g\nenter net 1\nmenu "
                             "open/short\nkeys Escape F11 Left F11\n"
                             "menu comppin\nmenu device\nmenu content\nmenu keys\nmenu about\nhover 300 200\n"
                             "resize 640 480\ndump " +
                             (dir.path() / "out").string() + "\n");
  std::string errors;  // standard error alone
  EXPECT_EQ(RunCommand("env -u XDG_RUNTIME_DIR " + std::string(VANTREL_BATCH_EXE) + " " + script +
                           " 2>&1 >/dev/null",
                       &errors),
            0);
  EXPECT_EQ(errors, "Vantrel: File not found. (" + (dir.path() / "missing.brd").string() +
                        " (the board file, top side))\n");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "state.json"));
}

TEST(BatchCli, MalformedScriptsExitWithTwoAndTheLine) {
  TempDir dir;
  std::string output;
  EXPECT_EQ(RunBatch(dir.Write("s.txt", "key 4\n\npress x\n"), &output), 2);
  EXPECT_NE(output.find("line 3"), std::string::npos);
  EXPECT_EQ(RunBatch((dir.path() / "none.txt").string()), 2);
  EXPECT_EQ(RunBatch("- < " + dir.Write("t.txt", "key 4\nexit\nnonsense\n")), 0);
}

}  // namespace
}  // namespace vantrel
