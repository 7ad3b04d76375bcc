// Following the board's files end to end, through the batch runner: a file
// written in several steps while the script waits is redrawn once it has
// settled, into the pictures a fresh open of it draws, with no message box
// on the way; a file replaced by renaming another over it goes on being
// followed; a redraw of the program's own that meets an error warns in the
// status line and in state.json, the next redraw the user asks for shows
// the box, and the next change of the files clears the warning.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/batch_runner.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

// A board 8 x 5 with a part U1 and two pins on the top side, a pin on the
// bottom side. The outline stays, the pins move.
std::string Top(const char* secondPin) {
  return std::string("top side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\nU1\n0 1.5 0 0.5\n2 2 2 2\n0.5 0.25\n") +
         secondPin + "\n3 3 3 3\n U1.1\n0.5 0.25\nGND\nSMD\n U1.2\n" + secondPin +
         "\nGND\nSMD\n4 4 4 4\n5 5 5 5\n";
}
std::string Bottom(const char* pin) {
  return std::string("bottom side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\n2 2 2 2\n") + pin +
         "\n3 3 3 3\n4 4 4 4\n";
}

class FileFollowing : public testing::Test {
 protected:
  void SetUp() override {
    board = dir.Write("demo.brd", Top("2 2.5"));
    companion = dir.Write("jet.CON", Bottom("4.25 2.5"));
    runner.Run("open " + board);
  }
  const Session& s() const { return app.session; }
  QImage Picture(Side side) const { return s().pictures.sides[side].image().copy(); }
  // Lets the program run until `done`, for a few seconds at most.
  bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) runner.RunLine("wait 25");
    return done();
  }
  // Writes `content` to a new file and renames it over `file`, as most tools save.
  void Replace(const std::string& file, const std::string& content) {
    const std::string fresh = dir.Write("saving.tmp", content);
    std::filesystem::rename(fresh, file);
  }
  bool Redrawn() const { return app.main->statusText().contains("Board files changed on disk: redrawn at "); }
  // The pictures a fresh open of the board's files draws.
  PerSide<QImage> OpenedAfresh() {
    runner.Run("open " + board);
    return {Picture(Side::Top), Picture(Side::Bottom)};
  }

  TempDir dir;
  std::string board, companion;
  Application app{1.0};
  BatchRunner runner{app};
};

TEST_F(FileFollowing, AFileWrittenInStepsIsRedrawnOnceSettledAsAFreshOpenDrawsIt) {
  const QImage before = Picture(Side::Top);
  const std::string top = Top("3 3.5");
  std::thread tool([&] {
    std::ofstream file(board, std::ios::binary | std::ios::trunc);
    file << top.substr(0, top.size() / 2) << std::flush;  // a redraw now stops half way
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    file << top.substr(top.size() / 2) << std::flush;
  });
  runner.Run("wait 1000");
  tool.join();
  ASSERT_TRUE(WaitFor([&] { return Redrawn() && s().document.Warnings.empty(); }))
      << app.main->statusText().toStdString();
  EXPECT_TRUE(runner.errors().empty());
  const PerSide<QImage> followed{Picture(Side::Top), Picture(Side::Bottom)};
  EXPECT_NE(followed.top, before);
  EXPECT_EQ(OpenedAfresh(), followed);
}

TEST_F(FileFollowing, AFileRenamedOverTheOldOneGoesOnBeingFollowed) {
  const std::pair<Side, const char*> kMoves[] = {
      {Side::Bottom, "1 3"}, {Side::Bottom, "5 1"}, {Side::Top, "3 3.5"}, {Side::Top, "1 4"}};
  for (const auto& [moved, pin] : kMoves) {
    const Side side = moved;
    const QImage before = Picture(side);
    Replace(side == Side::Top ? board : companion, side == Side::Top ? Top(pin) : Bottom(pin));
    ASSERT_TRUE(WaitFor([&] { return Picture(side) != before; })) << pin;
  }
  const PerSide<QImage> followed{Picture(Side::Top), Picture(Side::Bottom)};
  EXPECT_EQ(OpenedAfresh(), followed);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(FileFollowing, AnErrorWarnsUntilTheNextChangeAndTheUsersRedrawShowsTheBox) {
  dir.Write("demo.brd", "top side\n-2 0\n6 x\n");
  ASSERT_TRUE(WaitFor([&] { return !s().document.Warnings.empty(); }));
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(s().document.Warnings, std::vector<FileError>({{board, Side::Top, 3, "Invalid numeric input"}}));
  EXPECT_TRUE(app.main->statusText().contains("Warning: demo.brd (the board file, top side), line 3: "));
  runner.Run("dump " + (dir.path() / "out").string());
  EXPECT_EQ(test::ReadState(dir.path() / "out")["warnings"].toArray().size(), 1);

  runner.Run("key +");
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Invalid numeric input."});

  dir.Write("demo.brd", Top("2 2.5"));
  ASSERT_TRUE(WaitFor([&] { return s().document.Warnings.empty(); }));
  EXPECT_TRUE(WaitFor([&] { return Redrawn(); }));
  EXPECT_EQ(runner.errors().size(), 1u);
}

}  // namespace
}  // namespace vantrel
