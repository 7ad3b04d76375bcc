// The fixture of the search tests: a session over board files written to a
// scratch folder (or a real board of ../shared/boards), opened as the main
// window opens a board, with every error text the handler shows recorded.
// Also a plain reading of board files, line by line, against which the
// searches are checked on the real boards.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/error_handler.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel::test {

// The three header lines, as Session::header holds them.
using Header = std::array<std::string, 3>;

class SearchFixture : public testing::Test {
 protected:
  SearchFixture();
  ~SearchFixture() override;

  // What opening a board does: the home view from the board's outline, the
  // six layer passes (both outlines, both box passes, both pin passes), the
  // top side shown and HighlightMode::hmBoard, which is set even when a pass failed. The
  // steps run inside the handler; the errors they reported are returned, not
  // kept in `errors`.
  std::vector<std::string> OpenFiles(const std::string& boardFile, const std::string& companionFile);
  // Writes b.brd and jet.CON beside it and opens them; the open must report nothing.
  void Open(const std::string& top, const std::string& bottom);
  // A board of ../shared/boards with its jet.CON; the open must report nothing.
  void OpenRealBoard(std::string_view name);

  // Runs a step as the windows run a handler: an error stops it and is recorded.
  void Run(const std::function<void()>& step);
  // Runs a search the same way; whether it ran to its end and said it did (a
  // search without a board does nothing and says so).
  bool Ran(const std::function<bool()>& search);

  // The pixel of board point (x, y) on a side picture at the view as it stands.
  PixelPoint PixelOf(Side side, double x, double y) const;

  TempDir dir;
  Session s;
  std::vector<std::string> errors;        // the texts the handler showed, in order
  std::vector<std::string> errorDetails;  // and the details under each
  ErrorHandler handler;
  int handlersRun = 0;
};

// The fixture of a search of one text, the net or the component pin search:
// Search(text) is its dialog's OK and says whether it ran; Redraw(text) is the
// mode's branch of Redraw.
template <bool (*kSearch)(Session&, const std::string&), void (*kRedraw)(Session&, const std::string&)>
class TextSearchFixture : public SearchFixture {
 protected:
  bool Search(const std::string& text) {
    return Ran([&] { return kSearch(s, text); });
  }
  void Redraw(const std::string& text) {
    Run([&] { kRedraw(s, text); });
  }
};

// Names the cases of a table by their `name` field.
struct ByName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

// The pixel of board point (x, y) on a side drawn at `scale` with its origin
// at (originX, originY): x grows to the right on both sides, y upwards on the
// top side and, the board being turned over, downwards on the bottom side;
// halves round to even.
PixelPoint PixelOn(Side side, double scale, double originX, double originY, double x, double y);

// ASCII letters folded to upper case.
std::string FoldCase(std::string text);

// A pin record (after "3 3 3 3") as the file holds it.
struct PinLine {
  std::string name;
  double x = 0;
  double y = 0;
  std::string net;
  std::string fourth;
};
std::vector<PinLine> PinRecordsOf(const std::string& file);

// A part (after "1 1 1 1"): its name line and its box line.
struct PartLine {
  std::string name;
  double x1 = 0;
  double x2 = 0;
  double y1 = 0;
  double y2 = 0;
};
std::vector<PartLine> PartsOf(const std::string& file);

// A nail record (after "4 4 4 4"): its name line and its net line.
struct NailLine {
  std::string name;
  std::string net;
};
std::vector<NailLine> NailsOf(const std::string& file);

// The net line of the first nail record (after "4 4 4 4") named `name`, or "".
std::string NailNetIn(const std::string& file, const std::string& name);

}  // namespace vantrel::test
