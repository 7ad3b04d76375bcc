// The board browser's find: every part, net, nail and pin of the board's two
// files whose name contains a typed text, ignoring the case of ASCII letters,
// found by one forward scan of each file and kept only as the rows shown.
//
// Rows come in this order: names that begin with the text before those that
// only contain it, then by kind (part, net, nail, pin), then by name in
// natural order (U2 before U10, case ignored). At most `limit` rows are kept;
// the total says how many names matched. An empty text lists the parts, nets
// and nails, not the pins. Memory stays within the rows kept and a fixed
// amount for the counts, whatever the size of the board.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/side.h"

namespace vantrel {

struct Session;

// What a row of the browser stands for.
enum class ItemKind { Part, Net, Nail, Pin };

inline constexpr ItemKind kItemKinds[] = {ItemKind::Part, ItemKind::Net, ItemKind::Nail, ItemKind::Pin};

// "part", "net", "nail", "pin": the batch runner's words and the rows' first column.
const char* KindName(ItemKind kind);
std::optional<ItemKind> KindNamed(std::string_view name);

// One name of the board. The name is as the file spells it, without the pin
// records' leading blank. The count is the pins of a part (the pin records
// of the files that list the part whose name before the first "." is the
// part's) or of a net (the pin records on it), and the records of that name
// for a nail or a pin.
struct BrowserRow {
  ItemKind kind = ItemKind::Part;
  std::string name;
  PerSide<bool> sides{};
  std::int64_t count = 0;

  bool operator==(const BrowserRow&) const = default;
};

// A number of distinct names, exact up to a few thousand and estimated beyond
// (within about one percent), so that counting a board of any size takes the
// same memory.
struct NameCount {
  std::int64_t value = 0;
  bool estimated = false;
};

// Distinct names of each kind over both files; pins count pin records.
struct BoardTotals {
  NameCount parts;
  NameCount nets;
  std::int64_t pins = 0;
  NameCount nails;
};

struct BrowserList {
  std::vector<BrowserRow> rows;
  NameCount total;  // names that matched, of which `rows` are the first
  std::optional<BoardTotals> totals;
};

inline constexpr std::size_t kBrowserRows = 1000;

// Scans both files once, each on its own (both at once on a large board),
// and joins what they found. `only` keeps to one kind (then an empty text lists
// that kind, pins too). The board's totals come with an empty text, or when
// asked for: counting every name costs more than finding a few. Nothing
// without a board; raises BoardError as the scans do.
BrowserList FindOnBoard(Session& s, std::string_view text, std::optional<ItemKind> only = std::nullopt,
                        std::size_t limit = kBrowserRows, bool totals = false);

// Natural order: runs of digits compare by their value, other characters with
// ASCII letters folded to one case; equal names so far compare byte for byte.
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace vantrel
