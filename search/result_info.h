// What the board browser's info panel says of the result shown: the whole of
// it, where the header strip has room for a line.
//   - a pin (after the point inquiry or the component pin search): the pin,
//     its part, net, fourth line and side, and every pin of its net on each
//     side; a pin whose net line is empty is on no net and lists none;
//   - a part (after the device search): device 1's part, its side and every
//     pin of it with the pin's net;
//   - a net (after the net search): every pin of the net on each side;
//   - nails (after the open/short search): per slot, the nail, its net and
//     every pin of that net on each side.
// Found by scanning the files afresh, as the search that made the result
// finds its names; nothing is kept from one result to the next.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/side.h"
#include "search/board_browser.h"
#include "search/piece_text.h"

namespace vantrel {

struct Session;

struct PartPin {
  std::string name;
  std::string net;

  bool operator==(const PartPin&) const = default;
};

// Names one after another, a line each, since a net's pins can be many: the
// list costs about the names' length, with the place of every 64th name.
class NameList {
 public:
  void Add(std::string_view name) {
    const PieceText::Position at = text_.Append(name, "\n");
    if (size_ % kStride == 0) marks_.push_back(at);
    ++size_;
  }
  std::size_t size() const { return size_; }
  std::string_view operator[](std::size_t i) const;
  // Each name in order, the pieces read once.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (const std::string& piece : text_.pieces()) {
      for (std::size_t begin = 0; begin < piece.size();) {
        const std::size_t end = piece.find('\n', begin);
        visit(std::string_view(piece).substr(begin, end - begin));
        begin = end + 1;
      }
    }
  }
  std::vector<std::string> Names() const;

 private:
  static constexpr std::size_t kStride = 64;

  PieceText text_;
  std::vector<PieceText::Position> marks_;  // of names 0, 64, 128, ...
  std::size_t size_ = 0;
};

struct NailSlot {
  std::string nail;
  std::string net;
  PerSide<NameList> pins;
};

struct ResultInfo {
  enum class Kind { None, Pin, Part, Net, Nails };

  Kind kind = Kind::None;
  std::string name;  // the pin's, part's or net's
  std::string part;  // a pin's part, as its name says
  std::string net;   // a pin's net
  std::string fourth;
  std::optional<Side> side;  // a pin's or part's
  PerSide<NameList> pins;    // of the pin's net, or of the net
  std::vector<PartPin> partPins;
  std::vector<NailSlot> nails;
};

// The result the highlight shows now; Kind::None for the plain board. Pin
// names are trimmed of the file's leading blank. Raises BoardError as the
// scans do.
ResultInfo DescribeResult(const Session& s);

// One line of the panel: two cells, and the name a double click activates.
struct InfoLine {
  std::array<std::string, 2> cells;
  std::optional<ItemKind> kind;
  std::string name;

  bool operator==(const InfoLine&) const = default;
};

// The panel's lines, made when shown: a heading per list, then its names.
class InfoTable {
 public:
  InfoTable() = default;
  explicit InfoTable(ResultInfo info);

  const ResultInfo& info() const { return info_; }
  std::size_t size() const { return size_; }
  InfoLine Line(std::size_t row) const;
  // The whole panel as text: a line each, cells separated by a tab.
  std::string Text() const;

 private:
  // Lines of their own, then the pins of a list: the result's own (slot -1)
  // or a slot's, on one side.
  struct Block {
    std::vector<InfoLine> lines;
    int slot = -1;
    std::optional<Side> side;
  };
  const NameList* PinsOf(const Block& block) const;
  void AddLines(std::vector<InfoLine> lines);
  void AddPinLists(int slot);

  ResultInfo info_;
  std::vector<Block> blocks_;
  std::size_t size_ = 0;
};

}  // namespace vantrel
