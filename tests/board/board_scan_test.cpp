#include "board/board_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "board/board_check.h"
#include "board/board_error.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ErrorOf;
using test::TempDir;

TEST(BoardScanLines, LineEndsAndCarriageReturns) {
  TempDir dir;
  const std::string file = dir.Write("a.brd", "ab\ncd\r\nef\rg\nlast");
  BoardScan scan(file);
  EXPECT_EQ(scan.ReadLine(), "ab");
  EXPECT_EQ(scan.ReadLine(), "cd");
  EXPECT_EQ(scan.ReadLine(), "efg");  // a lone CR is dropped and ends nothing
  EXPECT_FALSE(scan.AtEnd());
  EXPECT_EQ(scan.ReadLine(), "last");
  EXPECT_TRUE(scan.AtEnd());
  EXPECT_EQ(scan.ReadLine(), "");
  EXPECT_EQ(scan.ReadNumber(), 0);
  EXPECT_NO_THROW(scan.CheckError());
}

// Lines read in place and lines with carriage returns, mixed in every
// proportion across block ends: each reads as the bytes up to its line feed
// with the carriage returns dropped.
TEST(BoardScanLines, CarriageReturnsAnywhereAcrossBlocks) {
  std::mt19937 random(5);
  TempDir dir;
  for (const int crEvery : {0, 1, 3, 400, 20000}) {
    SCOPED_TRACE(crEvery);
    std::string content;
    std::vector<std::string> expected;
    while (content.size() < 600 * 1024) {
      std::string line(random() % 30, 'x');
      for (char& c : line) c = static_cast<char>('a' + random() % 26);
      expected.push_back(line);
      const std::size_t cr =
          crEvery && random() % crEvery == 0 ? random() % (line.size() + 1) : line.size() + 1;
      content.append(line, 0, cr);
      if (cr <= line.size()) content.append("\r").append(line, cr);
      content += '\n';
    }
    BoardScan scan(dir.Write("a.brd", content));
    std::size_t mismatches = 0;
    for (const std::string& line : expected) mismatches += scan.ReadLine() != line;
    EXPECT_EQ(mismatches, 0u);
    EXPECT_TRUE(scan.AtEnd());
  }
}

TEST(BoardScanLines, ReadTextLineLeavesTheLineEnd) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "name\nnext\n"));
  EXPECT_EQ(scan.ReadTextLine(), "name");
  EXPECT_EQ(scan.ReadTextLine(), "");
  scan.SkipToNextLine();
  EXPECT_EQ(scan.ReadTextLine(), "next");
}

TEST(BoardScanLines, ShortFieldReadsTwentyCharactersAndLeavesTheRest) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "0123456789abcdefghijKLMNOP\r\nshort\r\n"));
  EXPECT_EQ(scan.ReadShortField(), "0123456789abcdefghij");
  EXPECT_EQ(scan.ReadTextLine(), "KLMNOP");
  scan.SkipToNextLine();
  EXPECT_EQ(scan.ReadShortField(), "short");
}

TEST(BoardScanLines, NulBytesAreText) {
  TempDir dir;
  const std::string content("a\0b\nc", 5);
  BoardScan scan(dir.Write("a.brd", content));
  EXPECT_EQ(scan.ReadLine(), std::string("a\0b", 3));
}

TEST(BoardScanLines, LongLinesCrossBlockBoundaries) {
  TempDir dir;
  const std::string longLine(3 * 1024 * 1024 + 17, 'x');
  BoardScan scan(dir.Write("a.brd", longLine + "\r\n2 2 2 2\r\n7 8\n"));
  EXPECT_FALSE(scan.ReadLineEquals("2 2 2 2"));
  EXPECT_TRUE(scan.ReadLineEquals("2 2 2 2"));
  const BoardPoint p = scan.ReadPoint();
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 8);
}

// The composite reads take shortcuts for a line wholly inside a block; over
// lines of every kind, cut anywhere by the blocks, they give what their
// definitions in terms of the plain reads give.
TEST(BoardScanLines, CompositeReadsAgreeWithThePlainReadsAcrossBlocks) {
  std::mt19937 random(5);
  const std::vector<std::string> lines = {
      "U12",     "u12",       "",      "\r",    "1.25 3.5",           "-7 8 extra",
      "4 4 4 4", "4 4 4 4\r", "GND\r", "G\rND", std::string(40, 'n'), "1,5 2"};
  std::string content;
  while (content.size() < 3 * 256 * 1024 + 100) content += lines[random() % lines.size()] + "\n";
  content += "U12";  // the last line has no line end
  TempDir dir;
  const std::string file = dir.Write("a.brd", content);

  BoardScan scan(file);
  BoardScan plain(file);
  auto outcome = [](const std::function<std::string()>& read) {
    try {
      return read();
    } catch (const BoardError& e) {
      return "error: " + std::string(e.what());
    }
  };
  std::string reused;  // a line read into the storage of the one before
  for (int step = 0; !plain.AtEnd(); ++step) {
    SCOPED_TRACE(step);
    switch (random() % 5) {
      case 0:
        ASSERT_EQ(outcome([&] {
                    if (step % 2) return scan.ReadLine();
                    scan.ReadLine(reused);
                    return reused;
                  }),
                  outcome([&] {
                    std::string text = plain.ReadTextLine();
                    plain.SkipToNextLine();
                    plain.CheckError();
                    return text;
                  }));
        break;
      case 1: {
        const std::string& text = lines[random() % lines.size()];
        const bool fold = random() % 2;
        ASSERT_EQ(outcome([&] { return std::to_string(scan.ReadLineEquals(text, fold)); }), outcome([&] {
                    std::string line = plain.ReadTextLine();
                    plain.SkipToNextLine();
                    plain.CheckError();
                    return std::to_string(fold ? NameEquals(line, text) : line == text);
                  }));
        break;
      }
      case 2:
        ASSERT_EQ(outcome([&] {
                    const BoardPoint p = scan.ReadPoint();
                    return std::to_string(p.x) + " " + std::to_string(p.y);
                  }),
                  outcome([&] {
                    const double x = plain.ReadNumber();
                    const double y = plain.ReadNumber();
                    plain.SkipToNextLine();
                    plain.CheckError();
                    return std::to_string(x) + " " + std::to_string(y);
                  }));
        break;
      case 3: {
        const std::size_t count = random() % 3 == 0 ? random() % 5000 : random() % 5;
        ASSERT_EQ(outcome([&] {
                    scan.SkipLines(count);
                    return std::to_string(scan.Position().bytesRead.value_or(0));
                  }),
                  outcome([&] {
                    for (std::size_t n = 0; n < count; ++n) plain.SkipToNextLine();
                    plain.CheckError();
                    return std::to_string(plain.Position().bytesRead.value_or(0));
                  }));
        break;
      }
      default:
        ASSERT_EQ(outcome([&] {
                    scan.SkipLine();
                    return std::string();
                  }),
                  outcome([&] {
                    plain.SkipToNextLine();
                    plain.CheckError();
                    return std::string();
                  }));
        break;
    }
    if (random() % 5 == 0) {  // a line begun
      ASSERT_EQ(scan.ReadShortField(), plain.ReadShortField());
    }
  }
  EXPECT_TRUE(scan.AtEnd());
}

TEST(BoardScanNumbers, PointLineIgnoresTheRestAndCrossesLinesWhenShort) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "12.5 -3e2 word\n1 2 3\n4 5\n6\n"));
  BoardPoint p = scan.ReadPoint();
  EXPECT_EQ(p.x, 12.5);
  EXPECT_EQ(p.y, -300);
  // A box line of three numbers takes its fourth from the next line.
  const BoardBox box = scan.ReadBox();
  EXPECT_EQ(box.x1, 1);
  EXPECT_EQ(box.y2, 4);
  p = scan.ReadPoint();
  EXPECT_EQ(p.x, 6);
  EXPECT_EQ(p.y, 0);  // end of file reads as 0
}

TEST(BoardScanNumbers, TokenIsCutAfterSixtyFourCharacters) {
  TempDir dir;
  const std::string digits = std::string(64, '1') + "222222";
  BoardScan scan(dir.Write("a.brd", digits + "\n"));
  EXPECT_EQ(scan.ReadNumber(), std::stod(std::string(64, '1')));
  EXPECT_EQ(scan.ReadNumber(), 222222);
}

TEST(BoardScanNumbers, ControlCharactersSeparateTokens) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "\t5\x01\x1f-6\r\r\n\n  7"));
  EXPECT_EQ(scan.ReadNumber(), 5);
  EXPECT_EQ(scan.ReadNumber(), -6);
  EXPECT_EQ(scan.ReadNumber(), 7);
  EXPECT_NO_THROW(scan.CheckError());
}

struct TokenCase {
  const char* token;
  bool valid;
  double value;
};

class BoardScanGrammar : public testing::TestWithParam<TokenCase> {};

TEST_P(BoardScanGrammar, ConvertsOrRecordsAnError) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", std::string(GetParam().token) + " 9\nnext\n"));
  const double value = scan.ReadNumber();
  EXPECT_EQ(scan.ReadNumber(), 9);  // the error waits for the check
  scan.SkipToNextLine();
  if (GetParam().valid) {
    EXPECT_NO_THROW(scan.CheckError());
    EXPECT_EQ(value, GetParam().value);
  } else {
    EXPECT_EQ(ErrorOf([&] { scan.CheckError(); }), "Invalid numeric input");
    EXPECT_NO_THROW(scan.CheckError());  // raised once
  }
  EXPECT_EQ(scan.ReadLine(), "next");
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Tokens, BoardScanGrammar,
    testing::Values(TokenCase{"42", true, 42}, TokenCase{"+4.25", true, 4.25}, TokenCase{"-0.5", true, -0.5},
                    TokenCase{"1.", true, 1}, TokenCase{"2.5E+3", true, 2500}, TokenCase{"25e-1", true, 2.5},
                    TokenCase{"007", true, 7}, TokenCase{"1e999", true, kInf},
                    TokenCase{"-1e999", true, -kInf}, TokenCase{"1e-999", true, 0},
                    TokenCase{"1,5", false, 0}, TokenCase{".5", false, 0}, TokenCase{"-", false, 0},
                    TokenCase{"1e", false, 0}, TokenCase{"1e+", false, 0}, TokenCase{"inf", false, 0},
                    TokenCase{"nan", false, 0}, TokenCase{"0x10", false, 0}, TokenCase{"1.2.3", false, 0},
                    TokenCase{"++1", false, 0}, TokenCase{"5abc", false, 0}, TokenCase{"\xb5", false, 0}));

// Many tokens of every length, some across the ends of the read blocks, each
// read as the correctly rounded double, sign of zero included.
TEST(BoardScanNumbers, EveryTokenConvertsCorrectlyRoundedAnywhereInTheFile) {
  std::mt19937 random(7);
  auto digits = [&](int n) {
    std::string d;
    for (int i = 0; i < n; ++i) d += static_cast<char>('0' + random() % 10);
    return d;
  };
  const char* separators[] = {" ", "\n", "\r\n", "\t", "  \n "};
  std::vector<std::string> tokens;
  std::string content;
  while (content.size() < 3 * 256 * 1024) {
    std::string token = random() % 3 ? "" : (random() % 2 ? "-" : "+");
    token += digits(1 + static_cast<int>(random() % 12));
    if (random() % 4) token.append(".").append(digits(static_cast<int>(random() % 24)));
    if (random() % 16 == 0) token.append("e").append(std::to_string(static_cast<int>(random() % 40) - 20));
    tokens.push_back(token);
    content += token + separators[random() % std::size(separators)];
  }
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", content));
  for (const std::string& token : tokens) {
    const double read = scan.ReadNumber();
    const double expected = std::strtod(token.c_str(), nullptr);
    ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << token << " read as " << read;
  }
  EXPECT_NO_THROW(scan.CheckError());
  EXPECT_EQ(scan.ReadNumber(), 0);  // only separators were left
  EXPECT_TRUE(scan.AtEnd());
}

TEST(BoardScanNumbers, DecimalPointWhateverTheLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "1.5 2,5\n"));
  EXPECT_EQ(scan.ReadNumber(), 1.5);
  scan.ReadNumber();
  EXPECT_THROW(scan.CheckError(), BoardError);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(BoardScanNames, FoldsAsciiLettersOnlyAndTrimsNothing) {
  EXPECT_TRUE(NameEquals("u12", "U12"));
  EXPECT_TRUE(NameEquals("Net-(R4)", "NET-(r4)"));
  EXPECT_FALSE(NameEquals("U12 ", "U12"));
  EXPECT_FALSE(NameEquals(" U12", "U12"));
  EXPECT_FALSE(NameEquals("\xe4", "\xc4"));  // letters beyond ASCII are not folded
  EXPECT_FALSE(NameEquals("[", "{"));
  EXPECT_TRUE(NameEquals("", ""));
}

TEST(BoardScanNames, LineComparisonExactOrFolded) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "2 2 2 2 \nr5\r\nR5x\n"));
  EXPECT_FALSE(scan.ReadLineEquals("2 2 2 2"));  // a trailing blank is part of the line
  EXPECT_TRUE(scan.ReadLineEquals("R5", true));
  EXPECT_FALSE(scan.ReadLineEquals("R5", true));
}

TEST(BoardScanSections, SkipConsumesTheMarkerLine) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "h\n1 1 1 1 \n1 1 1 1\nU1\n"));
  scan.SkipToSection("1 1 1 1");
  EXPECT_EQ(scan.ReadLine(), "U1");
}

// The section skip finds its marker only as a whole line, with carriage
// returns dropped, wherever the blocks of the file cut it: the same line as
// comparing line by line finds.
TEST(BoardScanSections, SkipStopsWhereLineByLineComparisonStops) {
  const std::string marker(markers::kPinRecordsEnd);
  const std::vector<std::string> nearMisses = {"4 4 4 4 ", "x4 4 4 4", "4 4 4",   "4 4 4 44", "44 4 4 4",
                                               "4 4 4 4x", "3 3 3 3",  "4 4 x 4", ""};
  const std::vector<std::string> hits = {"4 4 4 4", "4 4 4 4\r", "\r4 4 4 4", "4 4\r 4 4", "4 4 4 4\r\r"};
  std::mt19937 random(11);
  TempDir dir;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    // Filler up to just before a block end, near misses, then the marker.
    std::string content;
    const std::size_t edge = 256 * 1024 * (1 + round % 2) - random() % 24;
    while (content.size() < edge) {
      content += random() % 50 ? "1.2575 1.3040" : nearMisses[random() % nearMisses.size()];
      if (round % 3 == 0 && random() % 2) content += "\r";
      content += "\n";
    }
    content += nearMisses[random() % nearMisses.size()] + "\n";
    content += hits[random() % hits.size()];
    if (round % 5) content += "\nafter\n";
    const std::string file = dir.Write("a.brd", content);

    BoardScan reference(file);
    std::string expectedError;
    try {
      for (;;) {
        reference.ExpectMore();
        if (reference.ReadLineEquals(marker)) break;
      }
    } catch (const BoardError& e) {
      expectedError = e.what();
    }
    BoardScan scan(file);
    EXPECT_EQ(ErrorOf([&] { scan.SkipToSection(marker); }), expectedError);
    EXPECT_EQ(scan.ReadLine(), reference.ReadLine());
    EXPECT_EQ(scan.AtEnd(), reference.AtEnd());
  }
}

TEST(BoardScanSections, MissingMarkerReadsBeyondEndOfFile) {
  TempDir dir;
  BoardScan scan(dir.Write("a.brd", "h\n0 0\n5 5\n"));
  EXPECT_EQ(ErrorOf([&] { scan.SkipToSection("2 2 2 2"); }), "Read beyond end of file");
}

TEST(BoardScanOpen, ReportsTheFileErrorsByTheirTexts) {
  TempDir dir;
  EXPECT_EQ(ErrorOf([&] { BoardScan s((dir.path() / "none.brd").string()); }), "File not found");
  EXPECT_EQ(ErrorOf([&] { BoardScan s(dir.path().string()); }), "File access denied");
  EXPECT_EQ(ErrorOf([&] { BoardScan s(""); }), "Invalid filename");
  const std::string file = dir.Write("plain", "x");
  EXPECT_EQ(ErrorOf([&] { BoardScan s(file + "/inner.brd"); }), "Invalid filename");
  if (::geteuid() != 0) {
    const std::string locked = dir.Write("locked.brd", "x");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(ErrorOf([&] { BoardScan s(locked); }), "File access denied");
  }
}

// A folder's message is that of an unreadable file; what it is goes into
// the details under the message.
TEST(BoardScanOpen, AFolderIsToldApartInTheDetailsOnly) {
  TempDir dir;
  const std::string file = dir.Write("a.brd", "x");
  std::filesystem::create_directory(dir.path() / "x.brd");
  EXPECT_EQ(ErrorOf([&] { BoardScan s((dir.path() / "x.brd").string()); }), "File access denied");
  EXPECT_EQ(OpenFailureDetail((dir.path() / "x.brd").string()), "is a directory");
  EXPECT_EQ(OpenFailureDetail(dir.path().string()), "is a directory");
  EXPECT_EQ(OpenFailureDetail(file), "");
  EXPECT_EQ(OpenFailureDetail((dir.path() / "none.brd").string()), "");
}

TEST(BoardScanOpen, EveryScanClosesItsFile) {
  TempDir dir;
  const std::string file = dir.Write("a.brd", "h\n");
  auto openFiles = [] {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
  };
  const int before = openFiles();
  for (int i = 0; i < 100; ++i) {
    try {
      BoardScan scan(file);
      scan.ReadLine();
      scan.SkipToSection("1 1 1 1");
    } catch (const BoardError&) {
    }
  }
  EXPECT_EQ(openFiles(), before);
}

// The check made once a board has opened finds nothing in a whole board,
// and says so of a file that cannot be read at all.
TEST(BoardCheck, RealBoardFilesAreWhole) {
  for (const char* board : {"teres-main", "teres-kbd", "csi-adapter"}) {
    EXPECT_EQ(CheckBoardFile(test::SharedBoardFile(board), FileRole::BoardFile), std::nullopt) << board;
    EXPECT_EQ(CheckBoardFile((test::SharedBoardDir(board) / "jet.CON").string(), FileRole::CompanionFile),
              std::nullopt)
        << board;
  }
}

TEST(BoardCheck, AFileThatCannotBeOpenedIsAProblem) {
  TempDir dir;
  EXPECT_EQ(CheckBoardFile((dir.path() / "missing.brd").string(), FileRole::BoardFile),
            (FileProblem{0, "File not found"}));
}

}  // namespace
}  // namespace vantrel
