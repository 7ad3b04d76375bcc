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

int RunBatch(const std::string& arguments, std::string* errors = nullptr) {
  const std::string command = std::string(VANTREL_BATCH_EXE) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string output;
  char chunk[4096];
  while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  const int status = ::pclose(pipe);
  if (errors) *errors = output;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
