// Bad board files end as a message box with the right text, the operation
// stopped where it was and the program answering the next command.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QColor>
#include <QJsonArray>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <utility>

#include "app/batch_runner.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

const std::string kOutline = "-2 0\n6 0\n6 5\n-2 5\n-2 0\n";
const std::string kParts = "U1\n0 1.5 0 0.5\nR2\n2 2.5 1 1.5\n";
const std::string kPins = "0.5 0.25\n2 2.5\n";
const std::string kRecords = " U1.1\n0.5 0.25\nGND\nSMD\n R2.1\n2 2.5\nVCC\nSMD\n";
const std::string kNails = "T1\n0.5 0.25\nGND\nPROBE\n";
const std::string kBlocks = "GND\n1\nT1\n\n";

// `text` with the first `from` in it replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::string Board(const std::string& outline = kOutline, const std::string& parts = kParts,
                  const std::string& pins = kPins) {
  return "header\n" + outline + "1 1 1 1\n" + parts + "2 2 2 2\n" + pins + "3 3 3 3\n" + kRecords +
         "4 4 4 4\n" + kNails + "5 5 5 5\n" + kBlocks;
}

struct BadBoard {
  const char* name;
  std::string top;                        // the .brd file
  std::string bottom;                     // jet.CON
  std::string error;                      // as shown, "" for none
  HighlightMode mode;                     // after the open
  const char* companionName = "jet.CON";  // how the bottom file is spelled; nullptr: no such file
  // What the box adds after the folder's path: the file, its role and the
  // line where reading stopped; nullptr where it is not checked.
  const char* where = nullptr;
  // For a board that opens: what the check of its files warns of, as the
  // status line gives it; "" for none.
  std::string warning = "";
};

// Boards damaged where the open does not read.
std::vector<BadBoard> DamagedFurtherOn() {
  const std::string good = Board();
  return {
      // Open draws no pin record, nail or net block: a file cut or damaged
      // there opens, and the check that follows says where and what.
      {"CutInPinRecords", good.substr(0, good.find(" R2.1")), good, "", HighlightMode::hmBoard, "jet.CON",
       nullptr,
       "bad.brd (the board file, top side), line 19: Read beyond end of file: no \"4 4 4 4\" line closes "
       "the pin records"},
      {"BadNumberInPinRecords", Replaced(good, "\n2 2.5\nVCC", "\n2 x\nVCC"), good, "",
       HighlightMode::hmBoard, "jet.CON", nullptr,
       "bad.brd (the board file, top side), line 21: Invalid numeric input in a pin record"},
      {"CutInNails", good.substr(0, good.find("5 5 5 5")), good, "", HighlightMode::hmBoard, "jet.CON",
       nullptr,
       "bad.brd (the board file, top side), line 28: Read beyond end of file: no \"5 5 5 5\" line closes "
       "the nail records"},
      {"BadNumberInNails", Replaced(good, "T1\n0.5 0.25", "T1\n0.5 -"), good, "", HighlightMode::hmBoard,
       "jet.CON", nullptr,
       "bad.brd (the board file, top side), line 26: Invalid numeric input in a nail record"},
      {"CutInNetBlocks", good.substr(0, good.size() - 3), good, "", HighlightMode::hmBoard},
      {"CompanionCutInPinRecords", good, good.substr(0, good.find("4 4 4 4")), "", HighlightMode::hmBoard,
       "jet.CON", nullptr,
       "jet.CON (the companion file, bottom side), line 23: Read beyond end of file: no \"4 4 4 4\" line "
       "closes the pin records"},
      {"CompanionBadNumberInNails", good, Replaced(good, "T1\n0.5 0.25", "T1\n1,5 0.25"), "",
       HighlightMode::hmBoard, "jet.CON", nullptr,
       "jet.CON (the companion file, bottom side), line 26: Invalid numeric input in a nail record"},
      // Its nail scan reads on to the end of the file: it needs no end marker.
      {"CompanionCutInNails", good, good.substr(0, good.find("5 5 5 5")), "", HighlightMode::hmBoard},
  };
}

std::vector<BadBoard> Cases() {
  const std::string good = Board();
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  std::vector<BadBoard> cases = {
      {"EmptyFile", "", good, "Read beyond end of file.", HighlightMode::hmNone, "jet.CON",
       "bad.brd (the board file, top side), line 1"},
      {"CutInOutline", "header\n-2 0\n6 0\n", good, "Read beyond end of file.", HighlightMode::hmNone,
       "jet.CON", "bad.brd (the board file, top side), line 3"},
      {"CutInParts", "header\n" + kOutline + "1 1 1 1\nU1\n0 1.5 0 0.5\n", good, "Read beyond end of file.",
       HighlightMode::hmNone},
      {"CutInPins", "header\n" + kOutline + "1 1 1 1\n2 2 2 2\n0.5 0.25\n", good, "Read beyond end of file.",
       HighlightMode::hmNone},
      {"CompanionCutInPins", good, "header\n" + kOutline + "1 1 1 1\n2 2 2 2\n4.25 2.5\n",
       "Read beyond end of file.", HighlightMode::hmNone, "jet.CON",
       "jet.CON (the companion file, bottom side), line 9"},
      // A part marker with a trailing blank is a part name: the pass reads on
      // to the end of the file looking for the real one.
      {"MarkerWithTrailingBlank",
       "header\n" + kOutline + "1 1 1 1 \n" + kParts + "2 2 2 2\n" + kPins + "3 3 3 3\n", good,
       "Read beyond end of file.", HighlightMode::hmNone},
      // It has no pin records at all: the first search will stop there.
      {"MarkersWithCarriageReturns", "header\r\n-2 0\r\n6 5\r\n1 1 1 1\r\n2 2 2 2\r\n3 3 3 3\r\n", good, "",
       HighlightMode::hmBoard, "jet.CON", nullptr,
       "bad.brd (the board file, top side), line 6: Read beyond end of file: no \"4 4 4 4\" line closes the "
       "pin records"},
      {"BinaryGarbage", garbage, good, "Invalid numeric input.", HighlightMode::hmNone},
      {"NulBytesInNamesAndNumbers",
       Board(kOutline,
             std::string("U\0"
                         "1\n0\0"
                         "1.5 0 0.5\n",
                         16),
             kPins),
       good, "", HighlightMode::hmBoard},
      {"CommaDecimal", Board("-2 0\n6,5 0\n6 5\n"), good, "Invalid numeric input.", HighlightMode::hmNone,
       "jet.CON", "bad.brd (the board file, top side), line 3"},
      // Read as two numbers, 64 nines and 6 nines: a huge board that opens at scale 0.
      {"SeventyDigitToken", Board("-2 0\n" + std::string(70, '9') + " 0\n6 5\n"), good, "",
       HighlightMode::hmBoard},
      {"PlusInfinity", Board("-2 0\n1e999 0\n6 5\n"), good, "Invalid floating point operation.",
       HighlightMode::hmNone},
      {"MinusInfinity", Board("-2 0\n-1e999 0\n6 5\n"), good, "Invalid floating point operation.",
       HighlightMode::hmNone},
      {"ZeroSizeOutline", Board("4 4\n4 4\n"), good, "Floating point division by zero.",
       HighlightMode::hmNone},
      {"NamesAboveAscii", Board(kOutline, "\xc4\xd6\xdc\xe9\xff\n0 1.5 0 0.5\n"), good, "",
       HighlightMode::hmBoard},
      // An error of arithmetic points at the record just read.
      {"PinFarAway", Board(kOutline, kParts, "2e8 2\n"), good, "Invalid floating point operation.",
       HighlightMode::hmNone, "jet.CON", "bad.brd (the board file, top side), line 13"},
      // The top side is drawn, the bottom side's outline pass finds no file.
      {"MissingCompanion", good, "", "File not found.", HighlightMode::hmNone, nullptr,
       "jet.CON (the companion file, bottom side)"},
      {"CompanionInOtherLetterCase", good, good, "", HighlightMode::hmBoard, "JET.con"},
  };
  std::vector<BadBoard> damaged = DamagedFurtherOn();
  cases.insert(cases.end(), damaged.begin(), damaged.end());
  return cases;
}

void PrintTo(const BadBoard& c, std::ostream* os) { *os << c.name; }

// After an open that stopped, the title says so and the status line gives
// the message, file and line; after one that opened, the status line warns
// of what its check found, and state.json lists it.
void ExpectTheWindowTellsIt(const Application& app, const BatchRunner& runner, const BadBoard& c) {
  const QString title = app.main->windowTitle();
  const QString status = app.main->statusText();
  const QJsonObject state = runner.State();
  if (!c.error.empty()) {
    EXPECT_EQ(title, QString::fromUtf8("bad.brd \u2014 cannot be read \u2014 Vantrel"));
    EXPECT_TRUE(status.startsWith("Cannot be read: ")) << status.toStdString();
    EXPECT_TRUE(status.endsWith(QString::fromStdString(c.error).chopped(1))) << status.toStdString();
    EXPECT_FALSE(status.contains(" pin")) << "no counts for pictures not drawn";
    return;
  }
  EXPECT_FALSE(title.contains("cannot be read"));
  const QJsonArray warnings = state["warnings"].toArray();
  if (c.warning.empty()) {
    EXPECT_TRUE(warnings.isEmpty()) << status.toStdString();
    return;
  }
  EXPECT_TRUE(status.endsWith(QString::fromLatin1(" \xb7 Warning: ") + QString::fromStdString(c.warning)))
      << status.toStdString();
  ASSERT_EQ(warnings.size(), 1);
  const QJsonObject w = warnings[0].toObject();
  EXPECT_EQ(w["side"], c.warning.starts_with("bad.brd") ? "top" : "bottom");
  EXPECT_TRUE(c.warning.find(", line " + std::to_string(w["line"].toInt()) + ": ") != std::string::npos);
  EXPECT_TRUE(c.warning.ends_with(w["message"].toString().toStdString()));
}

class BadInput : public testing::TestWithParam<BadBoard> {};

TEST_P(BadInput, ShowsItsMessageAndGoesOn) {
  const BadBoard& c = GetParam();
  TempDir dir;
  const std::string board = dir.Write("bad.brd", c.top);
  if (c.companionName) dir.Write(c.companionName, c.bottom);
  Application app(1.0);
  BatchRunner runner(app);
  runner.Run("open " + board);
  const std::vector<std::string> expected =
      c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error};
  EXPECT_EQ(runner.errors(), expected);
  if (c.where) {
    EXPECT_EQ(runner.errorDetails(), std::vector<std::string>{(dir.path() / c.where).string()});
  }
  EXPECT_EQ(app.session.highlight.mode, c.mode);
  EXPECT_TRUE(app.main->boardShown());
  ExpectTheWindowTellsIt(app, runner, c);

  // The program answers the next commands (which may report the same file
  // again), and a good board opens and redraws after it without a word.
  runner.Run("key +-04");
  const std::size_t reported = runner.errors().size();
  const std::string good = dir.Write("good/g.brd", Board());
  dir.Write("good/jet.CON", Board());
  runner.Run("open " + good + "\nkey +");
  EXPECT_EQ(runner.errors().size(), reported);
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
}

INSTANTIATE_TEST_SUITE_P(Table, BadInput, testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Files cut inside the sections that only the searches read: the pin records,
// the nails and the net blocks. Such a board opens; the search that reads past
// the cut stops there with its message, keeping the mode it had reached.
struct CutBoard {
  const char* name;
  std::string top;
  std::string bottom;
  std::string actions;  // batch commands after the open
  std::string error;    // as shown, "" for none
  HighlightMode mode;   // afterwards
  std::string header;   // Label1 afterwards
};

// The good board up to, not including, the first occurrence of `text`.
std::string CutBefore(const std::string& text) {
  const std::string good = Board();
  return good.substr(0, good.find(text));
}

std::vector<CutBoard> CutCases() {
  const std::string good = Board();
  const std::string cutInRecords = CutBefore(" R2.1");              // U1.1 (GND) is whole
  const std::string cutInNails = CutBefore("PROBE");                // T1 lacks its last line
  const std::string cutInBlocks = good.substr(0, good.size() - 3);  // "GND", "1", "T"
  const std::string end = "Read beyond end of file.";
  // At home U1.1 (0.5, 0.25) lies at top pixel (242, 505), with a radius of 2.
  return {
      // The hit is marked before its net-mates are looked for.
      {"RecordsCutPointHit", cutInRecords, good, "press 242 505", end, HighlightMode::hmPoint, ""},
      {"RecordsCutPointMiss", cutInRecords, good, "press 100 100", end, HighlightMode::hmBoard, ""},
      {"RecordsCutNetSearch", cutInRecords, good, "key n\nfield net 1 VCC\nok net", end,
       HighlightMode::hmBoard, ""},
      {"RecordsCutCompPin", cutInRecords, good, "key c\nfield comp 1 R2.1\nok comp", end,
       HighlightMode::hmBoard, ""},
      {"RecordsCutOpenShort", cutInRecords, good, "key o\nfield nail 1 T1\nenter nail 1", end,
       HighlightMode::hmBoard, ""},
      {"CompanionRecordsCutNetSearch", good, cutInRecords, "key n\nfield net 1 GND\nok net", end,
       HighlightMode::hmBoard, "GND    U1.1"},
      {"CompanionRecordsCutOpenShort", good, cutInRecords, "key o\nfield nail 1 T1\nenter nail 1", end,
       HighlightMode::hmBoard, ""},
      // A nail that is not there is looked for up to the cut.
      {"NailsCutOpenShort", cutInNails, good, "key o\nfield nail 1 T9\nenter nail 1", end,
       HighlightMode::hmBoard, ""},
      // A nail cut after its position is found, with an empty net on the top side;
      // the bottom side's nail gives the net.
      {"NailCutAfterItsPosition", cutInNails, good, "key o\nfield nail 1 T1\nenter nail 1", "",
       HighlightMode::hmOpenShort, "$T1  GND    U1.1  U1.1"},
      // The bottom side's nail scan reads to the end of its file by design.
      {"CompanionNailsCutOpenShort", good, CutBefore("T1\n0.5"), "key o\nfield nail 1 T1\nenter nail 1", "",
       HighlightMode::hmOpenShort, "$T1  GND    U1.1  U1.1"},
      {"NailsCutCompPin", cutInNails, good, "key c\nfield comp 1 U1.1\nok comp", end, HighlightMode::hmBoard,
       ""},
      // The net blocks run to the end of the file: a cut block lists what it holds.
      {"BlocksCutCompPin", cutInBlocks, good, "key c\nfield comp 1 U1.1\nok comp", "",
       HighlightMode::hmCompPin, "U1.1    GND    $SMD    T "},
  };
}

void PrintTo(const CutBoard& c, std::ostream* os) { *os << c.name; }

class CutInSearch : public testing::TestWithParam<CutBoard> {};

TEST_P(CutInSearch, StopsWithItsMessageAndGoesOn) {
  const CutBoard& c = GetParam();
  TempDir dir;
  const std::string board = dir.Write("cut.brd", c.top);
  dir.Write("jet.CON", c.bottom);
  Application app(1.0);
  BatchRunner runner(app);
  runner.Run("open " + board);
  ASSERT_TRUE(runner.errors().empty());
  ASSERT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);

  runner.Run(c.actions);
  const std::vector<std::string> expected =
      c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error};
  EXPECT_EQ(runner.errors(), expected);
  EXPECT_EQ(app.session.highlight.mode, c.mode);
  EXPECT_EQ(app.session.pictures.header[0], c.header);

  // The home view reads no section past the pins: it draws without a word.
  runner.Run("key /");
  EXPECT_EQ(runner.errors(), expected);
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(app.session.pictures.header[0].empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CutInSearch, testing::ValuesIn(CutCases()),
                         [](const auto& info) { return std::string(info.param.name); });

class BadFiles : public testing::Test {
 protected:
  TempDir dir;
  Application app{1.0};
  BatchRunner runner{app};
};

TEST_F(BadFiles, MissingBoardFolderAndUnreadableFile) {
  runner.Run("open " + (dir.path() / "none.brd").string());
  runner.Run("open " + dir.path().string());
  std::vector<std::string> expected{"File not found.", "File access denied."};
  if (::geteuid() != 0) {
    const std::string locked = dir.Write("locked.brd", Board());
    ::chmod(locked.c_str(), 0);
    runner.Run("open " + locked);
    expected.push_back("File access denied.");
  }
  EXPECT_EQ(runner.errors(), expected);
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmNone);
}

// A folder given as a board, or found as its companion, shows the message of
// a file that cannot be opened, and its details say what it is.
TEST_F(BadFiles, AFolderSaysSoInTheDetails) {
  struct Case {
    std::string opened;  // the path given to open
    std::string folder;  // the folder that stands in the way
    const char* role;
  };
  const std::string board = dir.Write("b/b.brd", Board());
  std::filesystem::create_directories(dir.path() / "b" / "jet.CON");
  std::filesystem::create_directories(dir.path() / "x.brd");
  const Case cases[] = {
      {dir.path().string(), dir.path().string(), " (the board file, top side)"},
      {(dir.path() / "x.brd").string(), (dir.path() / "x.brd").string(), " (the board file, top side)"},
      {board, (dir.path() / "b" / "jet.CON").string(), " (the companion file, bottom side)"},
  };
  std::vector<std::string> errors, details;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opened);
    runner.Run("open " + c.opened + "\ndump " + (dir.path() / "out").string());
    errors.push_back("File access denied.");
    details.push_back(c.folder + ": is a directory" + c.role);
    EXPECT_EQ(runner.errors(), errors);
    EXPECT_EQ(runner.errorDetails(), details);
    EXPECT_EQ(test::ReadState(dir.path() / "out")["errorDetails"].toArray().last(),
              QString::fromStdString(details.back()));
  }
}

TEST_F(BadFiles, TwoSpellingsOfTheCompanionAreNoCompanion) {
  const std::string board = dir.Write("b.brd", Board());
  dir.Write("JET.CON", Board());
  dir.Write("jet.con", Board());
  runner.Run("open " + board);
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"File not found."});
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmNone);
}

TEST_F(BadFiles, BoardAndCompanionMayBeTheSameFile) {
  const std::string companion = dir.Write("jet.CON", Board());
  runner.Run("open " + companion);
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
}

TEST_F(BadFiles, CoordinatesThatOverflowAfterAZoom) {
  const std::string board = dir.Write("b.brd", Board(kOutline, kParts, "2e7 2\n"));
  dir.Write("jet.CON", Board());
  runner.Run("open " + board);
  EXPECT_TRUE(runner.errors().empty());
  runner.Run("key +");  // 2e7 * 140 is beyond 32 bits
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Invalid floating point operation."});
  EXPECT_EQ(app.session.view.Scale, 140);  // the zoom itself happened
  runner.Run("key /");
  EXPECT_EQ(runner.errors().size(), 1u);
}

TEST_F(BadFiles, AFileChangedBetweenRedrawsIsReadAfresh) {
  const std::string board = dir.Write("b.brd", Board());
  dir.Write("jet.CON", Board());
  runner.Run("open " + board);
  const QColor pin = app.session.pictures.sides.top.image().pixelColor(390, 280);  // pin at (2, 2.5)
  dir.Write("b.brd", Board(kOutline, kParts, "4 2.5\n"));                          // the pin moved
  runner.Run("key 4");
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(app.session.pictures.sides.top.image().pixelColor(590 + 80, 280), pin);
  EXPECT_NE(app.session.pictures.sides.top.image().pixelColor(390 + 80, 280), pin);
  dir.Write("b.brd", "");  // emptied
  runner.Run("key 6");
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Read beyond end of file."});
  runner.Run("close\nexit");
  EXPECT_TRUE(runner.exited());
}

// The process's peak resident memory in kB since the last ResetPeakMemory().
long PeakMemoryKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

long ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return PeakMemoryKb();
}

TEST_F(BadFiles, AHundredMegabyteLineCostsNoMemoryToSkip) {
  // The header and a part name are a single line of 100 MB each, written in
  // pieces so that the test itself holds no such line.
  const std::string board = dir.Write("b.brd", "");
  {
    std::ofstream out(board, std::ios::binary);
    const std::string piece(1 << 20, 'x');
    auto longLine = [&] {
      for (int i = 0; i < 100; ++i) out << piece;
      out << "\n";
    };
    longLine();
    out << kOutline << "1 1 1 1\n";
    longLine();
    out << "0 1 0 1\n2 2 2 2\n3 3 3 3\n";
  }
  dir.Write("jet.CON", Board());
  const long before = ResetPeakMemory();
  runner.Run("open " + board);
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
  EXPECT_LT(PeakMemoryKb() - before, 32 * 1024) << "kB more at the peak";
}

// About four seconds, under AddressSanitizer too: the reads come from the page
// cache, five passes over the gigabyte in all.
TEST_F(BadFiles, AGigabyteFileCostsNoMemory) {
  namespace fs = std::filesystem;
  // A sparse file: one line of a gigabyte of zero bytes, without a line end.
  const std::string empty = dir.Write("empty.brd", "");
  fs::resize_file(empty, std::uintmax_t{1} << 30);
  // The same line, ended, as the header of a good board.
  const std::string good = Board();
  const std::string headed = dir.Write("headed/b.brd", "");
  fs::resize_file(headed, std::uintmax_t{1} << 30);
  std::ofstream(headed, std::ios::binary | std::ios::app) << good.substr(good.find('\n'));
  dir.Write("jet.CON", Board());
  dir.Write("headed/jet.CON", Board());

  const long before = ResetPeakMemory();
  runner.Run("open " + empty);
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Read beyond end of file."});
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmNone);
  runner.Run("open " + headed);
  EXPECT_EQ(runner.errors().size(), 1u);
  EXPECT_EQ(app.session.highlight.mode, HighlightMode::hmBoard);
  EXPECT_LT(PeakMemoryKb() - before, 64 * 1024) << "kB more at the peak";
}

// Watches a folder with inotify and records, per file name, what was done to
// the files in it; the folder's own events have an empty name.
class FolderWatch {
 public:
  explicit FolderWatch(const std::filesystem::path& folder) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    constexpr std::uint32_t kWatched = IN_OPEN | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                       IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                       IN_MOVE_SELF;
    if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), kWatched) < 0) {
      throw std::runtime_error("cannot watch " + folder.string());
    }
  }
  ~FolderWatch() { ::close(fd_); }

  // The events since the last call, as (name, mask) pairs in their order.
  std::vector<std::pair<std::string, std::uint32_t>> Events() {
    std::vector<std::pair<std::string, std::uint32_t>> events;
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        events.emplace_back(e->len ? std::string(e->name) : std::string(), e->mask);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    return events;
  }

 private:
  int fd_ = -1;
};

TEST_F(BadFiles, AWholeSessionOnlyReadsTheBoardAndItsCompanion) {
  namespace fs = std::filesystem;
  const std::string board = dir.Write("b.brd", Board());
  const std::string companion = dir.Write("jet.CON", Board());
  // Neighbours the program has no business with: another board, the
  // companion in other letter case (the exact name wins), a note and a folder.
  dir.Write("other.brd", Board());
  dir.Write("JET.con", Board());
  dir.Write("notes.txt", "not a board\n");
  dir.Write("old/jet.CON", Board());
  const auto boardTime = fs::last_write_time(board);
  const auto companionTime = fs::last_write_time(companion);

  FolderWatch watch(dir.path());
  runner.Run("open " + board +
             "\nkey ++4680 /\npress 242 505\nmove 100 100\ndblclick 100 100\nkey --\npress 10 10 right"
             "\nkey o\nfield nail 1 T1\nfield nail 2 T9\nenter nail 1\nkey 4"
             "\nkey c\nfield comp 1 U1.1\nok comp\nkey 6"
             "\nkey d\nfield device 1 U1\nfield device 2 R2\nok device\noverview 4v\nkey 0\nkey v"
             "\nkey n\nfield net 1 GND\nok net\nkey 8"
             "\npress 392 280\nkey 0\nkey +\nclose\nopen " +
             board + "\nkey 2\nclose\nexit");
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_TRUE(runner.exited());

  std::set<std::string> opened;
  for (const auto& [name, mask] : watch.Events()) {
    EXPECT_EQ(mask & ~(IN_OPEN | IN_ISDIR), 0u) << "event " << std::hex << mask << " on \"" << name << "\"";
    opened.insert(name);
  }
  EXPECT_EQ(opened, (std::set<std::string>{"b.brd", "jet.CON"}));

  EXPECT_EQ(test::ReadFileBytes(board), Board());
  EXPECT_EQ(test::ReadFileBytes(companion), Board());
  EXPECT_EQ(fs::last_write_time(board), boardTime);
  EXPECT_EQ(fs::last_write_time(companion), companionTime);
}

}  // namespace
}  // namespace vantrel
