#include "search/board_browser.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <unordered_map>

#include "board/board_scan.h"
#include "search/session.h"

namespace vantrel {

namespace {

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::uint64_t HashOf(ItemKind kind, std::string_view name) {
  // The standard hash, finished so that every bit of it depends on every bit
  // of the name (the estimate reads its top bits).
  std::uint64_t h = std::hash<std::string_view>{}(name) + static_cast<std::uint64_t>(kind) * 0x9e3779b97f4a7c15ULL;
  h ^= h >> 30;
  h *= 0xbf58476d1ce4e5b9ULL;
  h ^= h >> 27;
  h *= 0x94d049bb133111ebULL;
  h ^= h >> 31;
  return h;
}

// Distinct 64-bit hashes: kept in an open-addressed table up to kExact of
// them, then counted by HyperLogLog's registers, whose estimate is within
// about 0.8 % (1.04 / sqrt(16384)).
class DistinctCount {
 public:
  // Whether the hash is surely new; an estimating count cannot tell and says no.
  bool Add(std::uint64_t h) {
    if (!registers_.empty()) {
      Register(h);
      return false;
    }
    if (h == 0) h = 1;  // 0 marks a free slot
    if (2 * (size_ + 1) > slots_.size()) Grow();
    if (registers_.empty()) return Insert(h);
    Register(h);
    return false;
  }

  bool Estimating() const { return !registers_.empty(); }

  NameCount Count() const {
    if (registers_.empty()) return {static_cast<std::int64_t>(size_), false};
    double sum = 0;
    int zeros = 0;
    for (std::uint8_t r : registers_) {
      sum += std::ldexp(1.0, -r);
      zeros += r == 0;
    }
    const double m = kRegisters;
    double estimate = 0.7213 / (1 + 1.079 / m) * m * m / sum;
    if (estimate <= 2.5 * m && zeros > 0) estimate = m * std::log(m / zeros);
    return {std::llround(estimate), true};
  }

 private:
  static constexpr std::size_t kExact = 8192;
  static constexpr int kRegisterBits = 14;
  static constexpr std::size_t kRegisters = std::size_t{1} << kRegisterBits;

  bool Insert(std::uint64_t h) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
      if (slots_[i] == h) return false;
      if (slots_[i] == 0) {
        slots_[i] = h;
        ++size_;
        return true;
      }
    }
  }

  void Grow() {
    std::vector<std::uint64_t> old = std::move(slots_);
    if (size_ + 1 > kExact) {
      registers_.assign(kRegisters, 0);
      for (std::uint64_t h : old) {
        if (h != 0) Register(h);
      }
      return;
    }
    slots_.assign(std::max<std::size_t>(64, 2 * old.size()), 0);
    size_ = 0;
    for (std::uint64_t h : old) {
      if (h != 0) Insert(h);
    }
  }

  void Register(std::uint64_t h) {
    const std::size_t index = h >> (64 - kRegisterBits);
    const std::uint64_t rest = (h << kRegisterBits) | (std::uint64_t{1} << (kRegisterBits - 1));
    const auto rank = static_cast<std::uint8_t>(std::countl_zero(rest) + 1);
    registers_[index] = std::max(registers_[index], rank);
  }

  std::vector<std::uint64_t> slots_;
  std::size_t size_ = 0;
  std::vector<std::uint8_t> registers_;  // in use once the table is full
};

// The typed text, and where a name matches it: -1 not at all, 0 at its
// start, 1 further on.
class Matcher {
 public:
  explicit Matcher(std::string_view text) : text_(text) {
    std::transform(text_.begin(), text_.end(), text_.begin(), Folded);
  }
  bool Empty() const { return text_.empty(); }
  int Match(std::string_view name) {
    if (text_.empty()) return 0;
    if (name.size() < text_.size()) return -1;
    folded_.assign(name);
    std::transform(folded_.begin(), folded_.end(), folded_.begin(), Folded);
    const std::size_t at = folded_.find(text_);
    return at == std::string::npos ? -1 : at == 0 ? 0 : 1;
  }

 private:
  std::string text_;
  std::string folded_;
};

struct RowKey {
  int rank;  // 0: begins with the text
  ItemKind kind;
  std::string name;

  bool operator<(const RowKey& o) const {
    if (rank != o.rank) return rank < o.rank;
    if (kind != o.kind) return kind < o.kind;
    return NaturalLess(name, o.name);
  }
};

struct StringHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// The rows that come first in the browser's order, at most `limit`, each with
// its sides and count as far as the files have been read. A name that does
// not make it in when first met never does later, since the last row kept
// only moves up; so every row kept has counted all its records.
class KeptRows {
 public:
  explicit KeptRows(std::size_t limit) : limit_(limit) {}

  // The row of a name kept already, or nothing.
  BrowserRow* Find(ItemKind kind, std::string_view name) {
    auto& index = index_[static_cast<int>(kind)];
    if (index.empty()) return nullptr;
    const auto it = index.find(name);
    return it == index.end() ? nullptr : &it->second->second;
  }

  // Keeps a name met for the first time, if it comes before the last row.
  BrowserRow* Offer(int rank, ItemKind kind, std::string_view name) {
    if (limit_ == 0) return nullptr;
    RowKey key{rank, kind, std::string(name)};
    if (rows_.size() == limit_) {
      const auto last = std::prev(rows_.end());
      if (!(key < last->first)) return nullptr;
      index_[static_cast<int>(last->first.kind)].erase(last->first.name);
      rows_.erase(last);
    }
    const auto [it, added] = rows_.try_emplace(std::move(key), BrowserRow{kind, std::string(name), {}, 0});
    index_[static_cast<int>(kind)].emplace(it->first.name, it);
    return &it->second;
  }

  std::vector<BrowserRow> Take() {
    std::vector<BrowserRow> rows;
    rows.reserve(rows_.size());
    for (auto& [key, row] : rows_) rows.push_back(std::move(row));
    return rows;
  }

 private:
  using Rows = std::map<RowKey, BrowserRow>;
  std::size_t limit_;
  Rows rows_;
  std::array<std::unordered_map<std::string, Rows::iterator, StringHash, std::equal_to<>>, 4> index_;
};

// One find: what the files have shown so far.
class Finder {
 public:
  Finder(std::string_view text, std::optional<ItemKind> only, std::size_t limit)
      : matcher_(text), only_(only), rows_(limit) {}

  void Scan(const std::string& file, Side side) {
    BoardScan scan(file);
    scan.SkipToSection(markers::kOutlineEnd);
    std::string line;
    for (;;) {
      scan.ExpectMore();
      scan.ReadLine(line);
      if (line == markers::kPartsEnd) break;
      Meet(ItemKind::Part, line, side);
      scan.SkipLine();
    }
    scan.SkipToSection(markers::kPinsEnd);
    std::string net;
    for (;;) {
      scan.ExpectMore();
      scan.ReadLine(line);
      if (line == markers::kPinRecordsEnd) break;
      scan.SkipLine();
      scan.ReadLine(net);
      scan.SkipLine();
      MeetPin(std::string_view(line).substr(line.starts_with(' ') ? 1 : 0), net, side);
    }
    // The nails end at their marker; a bottom file's nail scan reads on to
    // its end, and so may this one.
    while (!scan.AtEnd()) {
      scan.ReadLine(line);
      if (line == markers::kNailsEnd) break;
      Meet(ItemKind::Nail, line, side);
      scan.SkipLine();
      scan.SkipLine();
      scan.SkipLine();
    }
  }

  BrowserList Take() {
    BrowserList list;
    list.totals = {all_[0].Count(), all_[1].Count(), pinRecords_, all_[2].Count()};
    std::int64_t total = 0;
    bool estimated = false;
    for (const ItemKind kind : kItemKinds) {
      if (!Listed(kind)) continue;
      const NameCount n = matching_[static_cast<int>(kind)].Count();
      total += n.value;
      estimated = estimated || n.estimated;
    }
    list.total = {total, estimated};
    list.rows = rows_.Take();
    return list;
  }

 private:
  // Whether names of the kind are rows at all.
  bool Listed(ItemKind kind) const {
    if (only_) return kind == *only_;
    return kind != ItemKind::Pin || !matcher_.Empty();
  }

  // A name met in a file: a part's name line, a pin record's name or net, a
  // nail's name. Every meeting but a part's is one more of its records.
  void Meet(ItemKind kind, std::string_view name, Side side) {
    if (name.empty()) return;
    const std::uint64_t h = HashOf(kind, name);
    if (kind != ItemKind::Pin) all_[static_cast<int>(kind)].Add(h);
    if (!Listed(kind)) return;
    BrowserRow* row = rows_.Find(kind, name);
    if (!row) {
      const int rank = matcher_.Match(name);
      if (rank < 0) return;
      const bool isNew = matching_[static_cast<int>(kind)].Add(h);
      if (isNew || matching_[static_cast<int>(kind)].Estimating()) row = rows_.Offer(rank, kind, name);
      if (!row) return;
    }
    row->sides[side] = true;
    if (kind != ItemKind::Part) ++row->count;
  }

  void MeetPin(std::string_view name, std::string_view net, Side side) {
    ++pinRecords_;
    if (BrowserRow* part = PartOf(name)) ++part->count;
    Meet(ItemKind::Net, net, side);
    Meet(ItemKind::Pin, name, side);
  }

  BrowserRow* PartOf(std::string_view pin) {
    const std::size_t dot = pin.find('.');
    return dot == std::string_view::npos ? nullptr : rows_.Find(ItemKind::Part, pin.substr(0, dot));
  }

  Matcher matcher_;
  std::optional<ItemKind> only_;
  KeptRows rows_;
  std::array<DistinctCount, 3> all_;  // parts, nets, nails
  std::array<DistinctCount, 4> matching_;
  std::int64_t pinRecords_ = 0;
};

}  // namespace

const char* KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::Part: return "part";
    case ItemKind::Net: return "net";
    case ItemKind::Nail: return "nail";
    case ItemKind::Pin: return "pin";
  }
  return "";
}

std::optional<ItemKind> KindNamed(std::string_view name) {
  for (const ItemKind kind : kItemKinds) {
    if (name == KindName(kind)) return kind;
  }
  return std::nullopt;
}

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      while (i < a.size() - 1 && a[i] == '0' && IsDigit(a[i + 1])) ++i;
      while (j < b.size() - 1 && b[j] == '0' && IsDigit(b[j + 1])) ++j;
      std::size_t ei = i;
      std::size_t ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      if (ei - i != ej - j) return ei - i < ej - j;
      if (const int c = a.substr(i, ei - i).compare(b.substr(j, ej - j)); c != 0) return c < 0;
      i = ei;
      j = ej;
      continue;
    }
    const auto fa = static_cast<unsigned char>(Folded(a[i]));
    const auto fb = static_cast<unsigned char>(Folded(b[j]));
    if (fa != fb) return fa < fb;
    ++i;
    ++j;
  }
  if (i == a.size() && j < b.size()) return true;
  if (j == b.size() && i < a.size()) return false;
  return a < b;
}

BrowserList FindOnBoard(const Session& s, std::string_view text, std::optional<ItemKind> only, std::size_t limit) {
  if (!s.document.HasFiles()) return {};
  Finder finder(text, only, limit);
  for (const Side side : kSides) finder.Scan(s.FileOf(side), side);
  return finder.Take();
}

}  // namespace vantrel
