#include "search/name_suggestions.h"

#include <algorithm>

#include "board/board_scan.h"
#include "search/session.h"

namespace vantrel {

namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string FoldedCopy(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), Folded);
  return folded;
}

// The matches kept so far: up to `limit` that begin with the typed text and,
// while those are fewer, up to as many that only contain it.
class Matches {
 public:
  Matches(std::string_view typed, std::size_t limit) : typed_(FoldedCopy(typed)), limit_(limit) {}

  // Whether more names could still change the outcome.
  bool Open() const { return starts_.size() < limit_; }

  void Offer(std::string_view name) {
    if (name.empty()) return;
    const std::string folded = FoldedCopy(name);
    const std::size_t at = folded.find(typed_);
    if (at == std::string::npos) return;
    std::vector<Match>& group = at == 0 ? starts_ : contains_;
    if (group.size() >= limit_) return;
    const auto same = [&](const Match& m) { return m.folded == folded; };
    if (std::any_of(group.begin(), group.end(), same)) return;
    group.push_back({std::string(name), folded});
  }

  std::vector<std::string> Take() {
    std::vector<std::string> names;
    for (std::vector<Match>* group : {&starts_, &contains_}) {
      for (Match& m : *group) {
        if (names.size() == limit_) break;
        names.push_back(std::move(m.name));
      }
    }
    return names;
  }

 private:
  struct Match {
    std::string name;
    std::string folded;
  };
  std::string typed_;
  std::size_t limit_;
  std::vector<Match> starts_;
  std::vector<Match> contains_;
};

// Where a kind of name stands: the section after `start` up to `end` or the
// end of the file, in records of `size` lines, the name on line `line` (from 0).
struct NamePlace {
  std::string_view start;
  std::string_view end;
  int size;
  int line;
};

NamePlace PlaceOf(SearchKind kind) {
  switch (kind) {
    case SearchKind::OpenShort: return {markers::kPinRecordsEnd, markers::kNailsEnd, 4, 0};
    case SearchKind::Device: return {markers::kOutlineEnd, markers::kPartsEnd, 2, 0};
    case SearchKind::CompPin: return {markers::kPinsEnd, markers::kPinRecordsEnd, 4, 0};
    case SearchKind::Net: return {markers::kPinsEnd, markers::kPinRecordsEnd, 4, 2};
  }
  return {};
}

void ScanFile(const std::string& file, SearchKind kind, Matches& matches) {
  const NamePlace place = PlaceOf(kind);
  BoardScan scan(file);
  scan.SkipToSection(place.start);
  std::string text;
  while (matches.Open() && !scan.AtEnd()) {
    scan.ReadLine(text);
    if (text == place.end) return;
    for (int n = 0; n < place.size; ++n) {
      if (n > 0 && n != place.line) {
        scan.SkipLine();
        continue;
      }
      if (n > 0) scan.ReadLine(text);
      if (n != place.line) continue;
      // The component pin search looks for a blank followed by the text typed.
      if (kind != SearchKind::CompPin) {
        matches.Offer(text);
      } else if (text.starts_with(' ')) {
        matches.Offer(std::string_view(text).substr(1));
      }
    }
  }
}

}  // namespace

std::vector<std::string> NameSuggestions(const Session& s, SearchKind kind, std::string_view typed,
                                         std::size_t limit) {
  if (!s.document.HasFiles() || limit == 0) return {};
  Matches matches(typed, limit);
  for (const std::string* file : {&s.document.BoardFile, &s.document.CompanionFile}) {
    if (matches.Open()) ScanFile(*file, kind, matches);
  }
  return matches.Take();
}

}  // namespace vantrel
