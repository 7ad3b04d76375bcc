// A long random session on the largest real board: keys, presses, double
// clicks, the wheel, drags and a resting pointer, every search through its
// dialog with names from the board and random texts, typed or set, the
// overview, close and open. The program must still answer
// at the end, and after a warm-up its heap must not grow.
//
// The actions are drawn from a fixed seed, so a failure replays. Their number
// is VANTREL_SOAK_ACTIONS (default 20000: about 30 s in the plain build and
// 2.5 minutes under the sanitizers on a 2.6 GHz core). Under the sanitizer
// build, which CI runs too, AddressSanitizer and UndefinedBehaviorSanitizer
// judge every action.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/batch_runner.h"
#include "board/board_scan.h"
#include "support/test_support.h"

#if VANTREL_UNDER_ASAN
// From the sanitizer runtime; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vantrel {
namespace {

// Bytes the program holds on its heap now. AddressSanitizer's allocator keeps
// freed blocks in quarantine, so its own count is used under it.
std::size_t HeapInUse() {
#if VANTREL_UNDER_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

int ActionCount() {
  const char* text = std::getenv("VANTREL_SOAK_ACTIONS");
  return text && *text ? std::atoi(text) : 20000;
}

// What the searches can look for on one side, as the file holds it.
struct SideNames {
  std::vector<std::string> parts;
  std::vector<std::string> pins;  // name lines, with their leading blank
  std::vector<std::string> nets;
  std::vector<std::string> nails;
  std::vector<BoardPoint> pinPositions;
};

SideNames ReadNames(const std::string& file) {
  SideNames names;
  BoardScan scan(file);
  scan.SkipToSection(markers::kOutlineEnd);
  for (std::string line; (line = scan.ReadLine()) != markers::kPartsEnd;) {
    names.parts.push_back(line);
    scan.SkipLine();  // the box
  }
  scan.SkipToSection(markers::kPinsEnd);
  for (std::string line; (line = scan.ReadLine()) != markers::kPinRecordsEnd;) {
    names.pins.push_back(line);
    names.pinPositions.push_back(scan.ReadPoint());
    names.nets.push_back(scan.ReadLine());
    scan.SkipLine();
  }
  for (std::string line; (line = scan.ReadLine()) != markers::kNailsEnd;) {
    names.nails.push_back(line);
    scan.SkipLine();
    scan.SkipLine();
    scan.SkipLine();
  }
  return names;
}

class Soak : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(test::SharedBoardDir("teres-main"))) {
      GTEST_SKIP() << "the shared board teres-main is not there";
    }
    board = test::SharedBoardFile("teres-main");
    top = ReadNames(board);
    bottom = ReadNames((test::SharedBoardDir("teres-main") / "jet.CON").string());
  }

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  bool OneIn(int n) { return Below(n) == 0; }
  template <typename T>
  const T& AnyOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }
  const SideNames& AnySide() { return OneIn(2) ? top : bottom; }

  // Latin-1 bytes as a line edit holds them: anything but line ends.
  std::string RandomText() {
    std::string text(static_cast<std::size_t>(Below(24)), ' ');
    for (char& c : text) {
      do {
        c = static_cast<char>(Below(256));
      } while (c == '\n' || c == '\r');
    }
    return text;
  }

  // A name the dialog can find, one in other letter case, or anything.
  std::string SearchText(const std::vector<std::string>& names, bool dropBlank) {
    if (OneIn(4)) return RandomText();
    std::string name = AnyOf(names);
    if (dropBlank && !name.empty() && name.front() == ' ') name.erase(0, 1);
    if (OneIn(3)) {
      for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return name;
  }

  // A design pixel of the side pictures, or a pin of the side shown where the
  // view as it stands puts it in the picture.
  std::pair<int, int> PressPoint() {
    const std::pair<int, int> anywhere{Below(784), Below(490)};
    if (OneIn(2) || !app.main->boardShown()) return anywhere;
    const bool topShown = app.session.TopShown();
    const BoardPoint p = AnyOf((topShown ? top : bottom).pinPositions);
    const SideMapping map = SideMapping::Of(app.session.view, topShown ? Side::Top : Side::Bottom);
    const double x = map.scale() * p.x + map.originX();
    const double y = topShown ? map.originY() - map.scale() * p.y : map.scale() * p.y + map.originY();
    if (x < 0 || x >= 784 || y < 0 || y >= 490) return anywhere;
    return {static_cast<int>(x), static_cast<int>(y)};
  }

  void Search() {
    static constexpr const char* kDialogs[] = {"nail", "comp", "device", "net"};
    static constexpr const char* kKeys[] = {"o", "c", "d", "n"};
    static constexpr const char* kMenuItems[] = {"open/short", "comppin", "device", "nets"};
    const int which = Below(4);
    const std::string dialog = kDialogs[which];
    Run(OneIn(4) ? std::string("menu ") + kMenuItems[which] : std::string("key ") + kKeys[which]);
    const int fields = which == 0 || which == 2 ? 3 : 1;
    for (int f = 1; f <= fields; ++f) {
      if (f > 1 && OneIn(2)) continue;
      std::string text;
      switch (which) {
        case 0: text = SearchText(AnySide().nails, false); break;
        case 1: text = SearchText(AnySide().pins, true); break;
        case 2: text = SearchText(AnySide().parts, false); break;
        default: text = SearchText(AnySide().nets, false); break;
      }
      // Typed key by key half the time, so that the names are offered.
      Run((OneIn(2) ? "type " : "field ") + dialog + " " + std::to_string(f) + " " + text);
    }
    switch (Below(6)) {
      case 0: Run("cancel " + dialog); break;
      case 1: Run("enter " + dialog + " " + std::to_string(1 + Below(fields))); break;
      default: Run("ok " + dialog); break;
    }
  }

  // The wheel, a drag or a resting pointer, on a pin or anywhere.
  void Gesture() {
    const auto [x, y] = PressPoint();
    const std::string at = std::to_string(x) + " " + std::to_string(y);
    switch (Below(3)) {
      case 0: return Run("wheel " + at + " " + std::to_string(Below(7) - 3));
      case 1: return Run("drag " + at + " " + std::to_string(Below(784)) + " " + std::to_string(Below(490)));
      default: return Run("hover " + at);
    }
  }

  void Action() {
    static constexpr std::string_view kViewKeys = "+-4682 0/%'(&";
    const int roll = Below(100);
    if (roll < 30) {
      std::string keys;
      for (int n = 1 + Below(3); n > 0; --n) {
        keys +=
            OneIn(20) ? static_cast<char>(33 + Below(94)) : kViewKeys[static_cast<std::size_t>(Below(13))];
      }
      Run("key " + keys);
    } else if (roll < 40) {
      Gesture();
    } else if (roll < 55) {
      const auto [x, y] = PressPoint();
      const int button = Below(10);
      Run("press " + std::to_string(x) + " " + std::to_string(y) +
          (button == 0   ? " right"
           : button == 1 ? " middle"
                         : ""));
    } else if (roll < 63) {
      const auto [x, y] = PressPoint();
      const std::string at = std::to_string(x) + " " + std::to_string(y);
      Run("move " + at);
      Run("dblclick " + at);
    } else if (roll < 88) {
      Search();
    } else if (roll < 93) {
      std::string keys;
      for (int n = 1 + Below(3); n > 0; --n) keys += "4682vV"[Below(6)];
      Run(OneIn(2) ? "overview " + keys : "key v");
    } else if (roll < 95) {
      Run(OneIn(2) ? "close" : "open");
      if (OneIn(2)) Run("open " + board);
    } else if (roll < 96) {
      static constexpr const char* kHelp[] = {"menu about", "menu content", "menu keys"};
      Run(kHelp[Below(3)]);
    } else if (roll < 97) {
      static constexpr const char* kView[] = {"rotate",     "rotate ccw", "mirror",     "labels on",
                                              "labels off", "key f",      "browser on", "browser off"};
      Run(kView[Below(8)]);
    } else if (roll < 98) {
      Browse();
    } else {
      Run("field " + std::string(OneIn(2) ? "nail 2 " : "device 3 ") + RandomText());
    }
  }

  // The board browser: a find of a name's start or of anything, or a row
  // of any kind activated, found or not.
  void Browse() {
    const SideNames& side = AnySide();
    switch (Below(3)) {
      case 0: return Run("find " + SearchText(side.nets, false).substr(0, 1 + Below(3)));
      case 1: return Run("find " + RandomText());
      default: break;
    }
    static constexpr const char* kKinds[] = {"part", "net", "pin", "nail"};
    const int kind = Below(4);
    const std::vector<std::string>* names[] = {&side.parts, &side.nets, &side.pins, &side.nails};
    const std::string name = SearchText(*names[kind], true);
    if (!name.empty()) Run(std::string("activate ") + kKinds[kind] + " " + name);
  }

  void Run(const std::string& line) { runner.RunLine(line); }

  std::string board;
  SideNames top;
  SideNames bottom;
  std::mt19937 random{20260};
  Application app{1.0};
  BatchRunner runner{app};
};

TEST_F(Soak, ThousandsOfRandomActionsLeaveTheProgramAnsweringInFlatMemory) {
  const int actions = ActionCount();
  const int warmUp = std::min(2000, actions / 2);
  const auto started = std::chrono::steady_clock::now();
  Run("open " + board);
  // The browser's widgets and caches come the first time it shows.
  for (const char* line : {"browser on", "find u", "browser off"}) Run(line);
  std::size_t heapAfterWarmUp = 0;
  for (int n = 1; n <= actions; ++n) {
    Action();
    if (n == warmUp) heapAfterWarmUp = HeapInUse();
  }
  const std::size_t heapAtEnd = HeapInUse();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  RecordProperty("seconds", std::to_string(seconds));
  std::cout << actions << " actions in " << seconds << " s, heap " << heapAfterWarmUp / 1024 << " kB after "
            << warmUp << ", " << heapAtEnd / 1024 << " kB at the end, " << runner.errors().size()
            << " messages\n";

  // A real board in views the keys and the mouse can reach shows no message.
  EXPECT_EQ(runner.errors(), std::vector<std::string>{});
  EXPECT_LT(static_cast<double>(heapAtEnd), static_cast<double>(heapAfterWarmUp) + 4.0 * 1024 * 1024);

  Run("close");
  Run("open " + board);
  Run("key /");
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(app.main->boardShown());
  EXPECT_TRUE(app.session.pictures.header[0].empty());
  EXPECT_EQ(runner.errors(), std::vector<std::string>{});
  const QImage& picture = app.session.pictures.sides.top.image();
  int pinPixels = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) pinPixels += picture.pixel(x, y) == qRgb(0x99, 0xb4, 0xd1);
  }
  EXPECT_GT(pinPixels, 1000);
}

}  // namespace
}  // namespace vantrel
