#include "search/board_browser.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>

#include "board/board_scan.h"
#include "search/session.h"
#include "search/side_runner.h"

namespace vantrel {

namespace {

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Equality of two short names, without a call to memcmp.
bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// A 64-bit hash of a name of a kind, eight bytes at a time and finished so
// that every bit depends on every byte (the estimate reads its top bits).
// Names are short: this costs a few nanoseconds, a fraction of reading them.
std::uint64_t HashOf(ItemKind kind, std::string_view name) {
  constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15ULL;
  std::uint64_t h = (static_cast<std::uint64_t>(kind) + 1) * kMultiplier ^ name.size();
  std::size_t i = 0;
  for (; i + 8 <= name.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, name.data() + i, 8);
    h = (h ^ word) * kMultiplier;
    h ^= h >> 29;
  }
  std::uint64_t tail = 0;
  for (std::size_t shift = 0; i < name.size(); ++i, shift += 8) {
    tail |= std::uint64_t{static_cast<unsigned char>(name[i])} << shift;
  }
  h = (h ^ tail) * kMultiplier;
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

  // The names of both counts.
  void Merge(const DistinctCount& other) {
    for (const std::uint64_t h : other.slots_) {
      if (h != 0) Add(h);
    }
    if (other.registers_.empty()) return;
    if (registers_.empty()) Estimate();
    for (std::size_t i = 0; i < kRegisters; ++i) registers_[i] = std::max(registers_[i], other.registers_[i]);
  }

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

  // From the table to the registers, for good.
  void Estimate() {
    registers_.assign(kRegisters, 0);
    for (const std::uint64_t h : slots_) {
      if (h != 0) Register(h);
    }
    slots_ = {};
  }

  void Grow() {
    if (size_ + 1 > kExact) return Estimate();
    std::vector<std::uint64_t> old = std::move(slots_);
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
// start, 1 further on. Names are compared in place, folded as they are read;
// a name that may be read 16 bytes past its end is looked through 16 places
// at a time.
class Matcher {
 public:
  explicit Matcher(std::string_view text) : text_(text) {
    std::transform(text_.begin(), text_.end(), text_.begin(), Folded);
  }
  bool Empty() const { return text_.empty(); }

  int Match(std::string_view name, bool padded) const {
    if (text_.empty()) return 0;
    if (name.size() < text_.size()) return -1;
#if defined(__SSE2__)
    if (padded && text_.size() <= kWideText) return WideMatch(name);
#endif
    for (std::size_t at = 0; at + text_.size() <= name.size(); ++at) {
      if (MatchesAt(name, at)) return at == 0 ? 0 : 1;
    }
    return -1;
  }

 private:
  static constexpr std::size_t kWideText = 8;

  bool MatchesAt(std::string_view name, std::size_t at) const {
    for (std::size_t i = 0; i < text_.size(); ++i) {
      if (Folded(name[at + i]) != text_[i]) return false;
    }
    return true;
  }

#if defined(__SSE2__)
  // Sixteen bytes from `p`, ASCII capitals made small.
  static __m128i FoldedBytes(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Signed compares: bytes above 127 are negative, outside 'A'..'Z' either way.
    const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)),
                                          _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
    return _mm_or_si128(bytes, _mm_and_si128(capital, _mm_set1_epi8(0x20)));
  }

  // For each of 16 places from `base`, whether the text starts there; the
  // loads reach at most 15 + text length bytes past `base`, which the
  // padding of a view covers for every place a match can start.
  int WideMatch(std::string_view name) const {
    const std::size_t places = name.size() - text_.size() + 1;
    for (std::size_t base = 0; base < places; base += 16) {
      unsigned mask = 0xFFFF;
      for (std::size_t i = 0; i < text_.size() && mask; ++i) {
        const __m128i wanted = _mm_set1_epi8(text_[i]);
        mask &= static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(FoldedBytes(name.data() + base + i), wanted)));
      }
      if (places - base < 16) mask &= (1u << (places - base)) - 1;
      if (mask) return base + static_cast<std::size_t>(std::countr_zero(mask)) == 0 ? 0 : 1;
    }
    return -1;
  }
#endif

  std::string text_;  // folded
};

struct RowKey {
  int rank;  // 0: begins with the text
  ItemKind kind;
  std::string name;
};

// The browser's order, for a key kept and for a name met.
bool Before(int rank, ItemKind kind, std::string_view name, int otherRank, ItemKind otherKind,
            std::string_view other) {
  if (rank != otherRank) return rank < otherRank;
  if (kind != otherKind) return kind < otherKind;
  return NaturalLess(name, other);
}

struct KeyOrder {
  bool operator()(const RowKey& a, const RowKey& b) const {
    return Before(a.rank, a.kind, a.name, b.rank, b.kind, b.name);
  }
};

// Values by the HashOf of their names, in one open-addressed table: a find
// is a probe or two in a few kilobytes, where a node-based map costs a
// division and two pointers to memory out of cache. Two names of one hash,
// a chance of one in 2^64, share one entry.
template <class Value>
class HashIndex {
 public:
  explicit HashIndex(std::size_t most) : keys_(std::bit_ceil(std::max<std::size_t>(16, 4 * most)), 0) {
    values_.resize(keys_.size());
  }

  bool empty() const { return size_ == 0; }
  Value* Find(std::uint64_t h) {
    for (std::size_t i = Home(h);; i = Next(i)) {
      if (keys_[i] == Key(h)) return &values_[i];
      if (keys_[i] == 0) return nullptr;
    }
  }
  void Insert(std::uint64_t h, Value value) {
    std::size_t i = Home(h);
    while (keys_[i] != 0 && keys_[i] != Key(h)) i = Next(i);
    size_ += keys_[i] == 0;
    keys_[i] = Key(h);
    values_[i] = std::move(value);
  }
  // Linear probing's deletion: the entries after a hole that belong before
  // it move back, so that no find stops at it too early.
  void Erase(std::uint64_t h) {
    std::size_t hole = Home(h);
    while (keys_[hole] != Key(h)) {
      if (keys_[hole] == 0) return;
      hole = Next(hole);
    }
    --size_;
    for (std::size_t i = Next(hole); keys_[i] != 0; i = Next(i)) {
      const std::size_t home = Home(keys_[i]);
      // Whether `home` lies cyclically in (hole, i]: then the entry stays.
      if (hole < i ? (home > hole && home <= i) : (home > hole || home <= i)) continue;
      keys_[hole] = keys_[i];
      values_[hole] = std::move(values_[i]);
      hole = i;
    }
    keys_[hole] = 0;
  }

 private:
  static std::uint64_t Key(std::uint64_t h) { return h == 0 ? 1 : h; }
  std::size_t Home(std::uint64_t h) const { return static_cast<std::size_t>(Key(h)) & (keys_.size() - 1); }
  std::size_t Next(std::size_t i) const { return (i + 1) & (keys_.size() - 1); }

  std::vector<std::uint64_t> keys_;  // 0: free
  std::vector<Value> values_;
  std::size_t size_ = 0;
};

// The rows that come first in the browser's order, at most `limit`, each with
// its sides and count as far as the files have been read. A name that does
// not make it in when first met never does later, since the last row kept
// only moves up; so every row kept has counted all its records.
class KeptRows {
 public:
  explicit KeptRows(std::size_t limit) : limit_(limit), index_(limit) {}

  // The row of a name kept already, or nothing; `h` is HashOf(kind, name).
  BrowserRow* Find(ItemKind kind, std::string_view name, std::uint64_t h) {
    if (index_.empty()) return nullptr;
    const Rows::iterator* it = index_.Find(h);
    if (!it) return nullptr;
    BrowserRow& row = (*it)->second;
    return row.kind == kind && Same(row.name, name) ? &row : nullptr;
  }

  // Keeps a name met for the first time, if it comes before the last row.
  BrowserRow* Offer(int rank, ItemKind kind, std::string_view name, std::uint64_t h) {
    if (limit_ == 0 || index_.Find(h)) return nullptr;
    if (rows_.size() == limit_) {
      const auto last = std::prev(rows_.end());
      if (!Before(rank, kind, name, last->first.rank, last->first.kind, last->first.name)) return nullptr;
      index_.Erase(HashOf(last->first.kind, last->first.name));
      rows_.erase(last);
      ++evictions_;
    }
    const auto it =
        rows_.try_emplace(RowKey{rank, kind, std::string(name)}, BrowserRow{kind, std::string(name), {}, 0})
            .first;
    index_.Insert(h, it);
    return &it->second;
  }

  // How many rows were let go so far: a row pointer is good while it stays.
  std::uint64_t evictions() const { return evictions_; }

  std::vector<BrowserRow> Take() {
    std::vector<BrowserRow> rows;
    rows.reserve(rows_.size());
    for (auto& [key, row] : rows_) rows.push_back(std::move(row));
    return rows;
  }

 private:
  using Rows = std::map<RowKey, BrowserRow, KeyOrder>;
  std::size_t limit_;
  Rows rows_;
  HashIndex<Rows::iterator> index_;
  std::uint64_t evictions_ = 0;
};

// Whether names of the kind are rows of a find.
bool Listed(ItemKind kind, std::optional<ItemKind> only, bool noText) {
  if (only) return kind == *only;
  return kind != ItemKind::Pin || !noText;
}

// What one side's file showed: its first rows in order, and its names.
struct SideFound {
  std::vector<BrowserRow> rows;
  std::array<DistinctCount, 3> all;  // parts, nets, nails
  std::array<DistinctCount, 4> matching;
  std::int64_t pins = 0;
};

// One side's find: what its file has shown so far.
class Finder {
 public:
  Finder(std::string_view text, std::optional<ItemKind> only, std::size_t limit, bool totals)
      : matcher_(text), only_(only), rows_(limit), totals_(totals || matcher_.Empty()) {}

  void Scan(const std::string& file, Side side) {
    BoardScan scan(file);
    scan.SkipToSection(markers::kOutlineEnd);
    for (;;) {
      scan.ExpectMore();
      const std::string_view name = ReadName(scan);
      if (name == markers::kPartsEnd) break;
      Meet(ItemKind::Part, name, side);
      scan.SkipLine();
    }
    scan.SkipToSection(markers::kPinsEnd);
    lastPart_.clear();  // this file's parts may be rows now
    lastPartRow_ = nullptr;
    for (;;) {
      scan.ExpectMore();
      std::string_view name = ReadName(scan);
      if (name == markers::kPinRecordsEnd) break;
      if (name.starts_with(' ')) name.remove_prefix(1);
      MeetPin(name, side);
      scan.SkipLine();
      Meet(ItemKind::Net, ReadName(scan), side);
      scan.SkipLine();
    }
    // The nails end at their marker; a bottom file's nail scan reads on to
    // its end, and so may this one.
    while (!scan.AtEnd()) {
      const std::string_view name = ReadName(scan);
      if (name == markers::kNailsEnd) break;
      Meet(ItemKind::Nail, name, side);
      scan.SkipLine();
      scan.SkipLine();
      scan.SkipLine();
    }
  }

  SideFound Take() {
    SideFound found{rows_.Take(), all_, {}, pinRecords_};
    for (const ItemKind kind : kItemKinds) found.matching[static_cast<int>(kind)] = Matching(kind);
    return found;
  }

 private:
  // The next line, and whether it may be read past its end.
  std::string_view ReadName(BoardScan& scan) {
    const std::string_view line = scan.ReadLineView(spare_);
    padded_ = line.data() != spare_.data();
    return line;
  }

  // The names of a kind that match: with no text, all of them.
  DistinctCount& Matching(ItemKind kind) {
    const int k = static_cast<int>(kind);
    return matcher_.Empty() && kind != ItemKind::Pin ? all_[k] : matching_[k];
  }

  bool Listed(ItemKind kind) const { return vantrel::Listed(kind, only_, matcher_.Empty()); }

  // A name met in a file: a part's name line, a pin record's name or net, a
  // nail's name. Most names neither match nor count: they cost a match.
  void Meet(ItemKind kind, std::string_view name, Side side) {
    if (name.empty()) return;
    const int rank = Listed(kind) ? matcher_.Match(name, padded_) : -1;
    if (rank < 0 && (kind == ItemKind::Pin || !totals_)) return;
    Count(kind, name, side, rank);
  }

  // A name that matched, or that the totals count. Every meeting but a
  // part's is one more of its records.
  void Count(ItemKind kind, std::string_view name, Side side, int rank) {
    const std::uint64_t h = HashOf(kind, name);
    const bool isNew = kind != ItemKind::Pin && totals_ && all_[static_cast<int>(kind)].Add(h);
    if (rank < 0) return;
    BrowserRow* row = rows_.Find(kind, name, h);
    if (!row) {
      DistinctCount& matching = Matching(kind);
      const bool surelyNew = &matching == &all_[static_cast<int>(kind)] ? isNew : matching.Add(h);
      if (!surelyNew && !matching.Estimating()) return;  // met before and left out
      row = rows_.Offer(rank, kind, name, h);
      if (!row) return;
    }
    row->sides[side] = true;
    if (kind != ItemKind::Part) ++row->count;
  }

  // A pin record's name: one more pin of its part, if that is a row.
  void MeetPin(std::string_view name, Side side) {
    ++pinRecords_;
    std::size_t dot = 0;
    while (dot < name.size() && name[dot] != '.') ++dot;  // names are short: no call to memchr
    if (dot < name.size()) {
      const std::string_view part = name.substr(0, dot);
      // A part's pins mostly follow one another: its row is looked up once.
      if (!Same(part, lastPart_) || rows_.evictions() != lastPartEvictions_) {
        lastPart_.assign(part);
        lastPartEvictions_ = rows_.evictions();
        lastPartRow_ = Listed(ItemKind::Part) && matcher_.Match(part, padded_) >= 0
                           ? rows_.Find(ItemKind::Part, part, HashOf(ItemKind::Part, part))
                           : nullptr;
      }
      if (lastPartRow_) ++lastPartRow_->count;
    }
    Meet(ItemKind::Pin, name, side);
  }

  Matcher matcher_;
  std::optional<ItemKind> only_;
  KeptRows rows_;
  std::string spare_;    // a line that is not whole in the scan's block
  bool padded_ = false;  // the last line read is a view of the block
  std::string lastPart_;
  BrowserRow* lastPartRow_ = nullptr;  // good while no row has been let go
  std::uint64_t lastPartEvictions_ = 0;
  std::array<DistinctCount, 3> all_;  // parts, nets, nails
  std::array<DistinctCount, 4> matching_;
  std::int64_t pinRecords_ = 0;
  bool totals_;
};

// Both sides' finds as one: a name's rows on the two sides joined, the first
// `limit` in order kept. A name among the first `limit` of both files is
// among the first of each file that holds it, so every record of it there
// was counted.
BrowserList Combine(PerSide<SideFound>& found, std::string_view text, std::optional<ItemKind> only,
                    std::size_t limit, bool totals) {
  const Matcher matcher(text);
  const auto less = [&](const BrowserRow& a, const BrowserRow& b) {
    return Before(matcher.Match(a.name, false), a.kind, a.name, matcher.Match(b.name, false), b.kind, b.name);
  };
  const std::vector<BrowserRow>& top = found.top.rows;
  const std::vector<BrowserRow>& bottom = found.bottom.rows;
  BrowserList list;
  std::size_t i = 0;
  std::size_t j = 0;
  while ((i < top.size() || j < bottom.size()) && list.rows.size() < limit) {
    if (j == bottom.size() || (i < top.size() && less(top[i], bottom[j]))) {
      list.rows.push_back(top[i++]);
    } else if (i == top.size() || less(bottom[j], top[i])) {
      list.rows.push_back(bottom[j++]);
    } else {
      BrowserRow row = top[i++];
      const BrowserRow& other = bottom[j++];
      row.count += other.count;
      row.sides.bottom = row.sides.bottom || other.sides.bottom;
      list.rows.push_back(std::move(row));
    }
  }
  std::array<DistinctCount, 3>& all = found.top.all;
  for (std::size_t k = 0; k < all.size(); ++k) all[k].Merge(found.bottom.all[k]);
  if (totals || matcher.Empty()) {
    list.totals =
        BoardTotals{all[0].Count(), all[1].Count(), found.top.pins + found.bottom.pins, all[2].Count()};
  }
  for (const ItemKind kind : kItemKinds) {
    if (!Listed(kind, only, matcher.Empty())) continue;
    DistinctCount& matching = found.top.matching[static_cast<int>(kind)];
    matching.Merge(found.bottom.matching[static_cast<int>(kind)]);
    const NameCount n = matching.Count();
    list.total.value += n.value;
    list.total.estimated = list.total.estimated || n.estimated;
  }
  return list;
}

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
      for (; i < ei; ++i, ++j) {
        if (a[i] != b[j]) return a[i] < b[j];
      }
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

BrowserList FindOnBoard(Session& s, std::string_view text, std::optional<ItemKind> only, std::size_t limit,
                        bool totals) {
  if (!s.document.HasFiles()) return {};
  PerSide<SideFound> found;
  const Stage<SideFound> stage{.rounds = {{[&](SideWork& work, SideFound& out) {
                                 Finder finder(text, only, limit, totals);
                                 finder.Scan(work.file, work.side);
                                 out = finder.Take();
                               }}},
                               .apply = [&](Side side, SideFound& out) { found[side] = std::move(out); },
                               .drawsNothing = true};
  s.runner.Run(s, stage);
  return Combine(found, text, only, limit, totals);
}

}  // namespace vantrel
