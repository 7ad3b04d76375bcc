#include "search/result_info.h"

#include "board/board_records.h"
#include "search/comp_pin_search.h"
#include "search/session.h"

namespace vantrel {

namespace {

std::string_view Trimmed(std::string_view nameLine) {
  return nameLine.starts_with(' ') ? nameLine.substr(1) : nameLine;
}

const char* SideWord(Side side) { return side == Side::Top ? "top" : "bottom"; }

InfoLine Plain(std::string label, std::string value) {
  InfoLine line;
  line.cells = {std::move(label), std::move(value)};
  return line;
}

// A line that activates `name`, by default the second cell; an empty name
// activates nothing.
InfoLine Link(std::string label, std::string value, ItemKind kind, std::optional<std::string> name = {}) {
  InfoLine line = Plain(std::move(label), std::move(value));
  line.name = name ? std::move(*name) : line.cells[1];
  if (!line.name.empty()) line.kind = kind;
  return line;
}

// Walks the pin records of one side's file.
template <class Visit>
void ForEachPin(const Session& s, Side side, Visit&& visit) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin, true)) {
    if (!visit(pin)) return;
  }
}

// Walks the names and nets of the pin records of one side's file, without
// their positions and fourth lines; the views last until the next record.
template <class Visit>
void ForEachNet(const Session& s, Side side, Visit&& visit) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  std::string name;
  std::string spare;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(name);
    if (name == markers::kPinRecordsEnd) return;
    scan.SkipLine();
    visit(std::string_view(name), scan.ReadLineView(spare));
    scan.SkipLine();
  }
}

// The pins of each side whose net line is the net, as the searches compare
// nets; none for an empty net, which joins nothing.
PerSide<NameList> NetPins(const Session& s, const std::string& net) {
  PerSide<NameList> pins;
  if (net.empty()) return pins;
  for (const Side side : kSides) {
    ForEachNet(s, side, [&](std::string_view name, std::string_view pinNet) {
      if (NameEquals(pinNet, net)) pins[side].Add(Trimmed(name));
    });
  }
  return pins;
}

// The first side that found slot 1's name.
std::optional<Side> FoundSide(const Findings& f) {
  for (const Side side : kSides) {
    if (f.found[side][0]) return side;
  }
  return std::nullopt;
}

// A pin found on `side` by its name line: exactly, as a click found it, or
// as the component pin search compares a blank and the typed text.
ResultInfo PinInfo(const Session& s, Side side, const std::string& nameLine, bool exact) {
  ResultInfo info;
  info.kind = ResultInfo::Kind::Pin;
  info.side = side;
  info.name = Trimmed(nameLine);
  ForEachPin(s, side, [&](const PinRecord& pin) {
    if (exact ? pin.name != nameLine : !NameEquals(pin.name, nameLine)) return true;
    info.name = Trimmed(pin.name);
    info.net = pin.net;
    info.fourth = pin.fourth;
    return false;
  });
  info.part = PartNameOf(info.name).value_or("");
  info.pins = NetPins(s, info.net);
  return info;
}

ResultInfo PartInfo(const Session& s, const std::string& name, std::optional<Side> side) {
  ResultInfo info;
  info.kind = ResultInfo::Kind::Part;
  info.name = name;
  info.side = side;
  if (!side || name.empty()) return info;
  ForEachNet(s, *side, [&](std::string_view nameLine, std::string_view net) {
    const std::string_view pinName = Trimmed(nameLine);
    const std::size_t dot = pinName.find('.');
    if (dot != std::string_view::npos && NameEquals(pinName.substr(0, dot), name)) {
      info.partPins.push_back({std::string(pinName), std::string(net)});
    }
  });
  return info;
}

ResultInfo NailsInfo(const Session& s, const Findings& f) {
  ResultInfo info;
  info.kind = ResultInfo::Kind::Nails;
  const OpenShortMemory& memory = s.highlight.memory.openShort;
  for (int slot = 0; slot < 3; ++slot) {
    if (f.names[slot].empty()) continue;
    info.nails.push_back({f.names[slot], memory.NailNet[slot], {}});
  }
  for (const Side side : kSides) {
    ForEachNet(s, side, [&](std::string_view name, std::string_view net) {
      for (NailSlot& slot : info.nails) {
        if (!slot.net.empty() && NameEquals(net, slot.net)) slot.pins[side].Add(Trimmed(name));
      }
    });
  }
  return info;
}

}  // namespace

ResultInfo DescribeResult(const Session& s) {
  const Highlight& h = s.highlight;
  if (!s.document.HasFiles() || !h.findings) return {};
  const Findings& f = *h.findings;
  const std::optional<Side> side = FoundSide(f);
  switch (h.mode) {
    case HighlightMode::hmPoint:
      if (side) return PinInfo(s, *side, f.names[0], true);
      break;
    case HighlightMode::hmCompPin:
      if (side) return PinInfo(s, *side, " " + f.names[0], false);
      break;
    case HighlightMode::hmDevice: return PartInfo(s, f.names[0], side);
    case HighlightMode::hmNet: {
      ResultInfo info;
      info.kind = ResultInfo::Kind::Net;
      info.name = f.names[0];
      info.pins = NetPins(s, info.name);
      return info;
    }
    case HighlightMode::hmOpenShort: return NailsInfo(s, f);
    default: break;
  }
  return {};
}

// From the nearest mark, name by name: a name ends at its line's end, and a
// piece ends after a whole name.
std::string_view NameList::operator[](std::size_t i) const {
  const PieceText::Position mark = marks_[i / kStride];
  const std::vector<std::string>& pieces = text_.pieces();
  std::size_t piece = mark.piece;
  std::size_t begin = mark.offset;
  for (std::size_t n = i % kStride; n > 0; --n) {
    begin = pieces[piece].find('\n', begin) + 1;
    if (begin == pieces[piece].size()) {
      ++piece;
      begin = 0;
    }
  }
  const std::string_view text(pieces[piece]);
  return text.substr(begin, text.find('\n', begin) - begin);
}

std::vector<std::string> NameList::Names() const {
  std::vector<std::string> names;
  names.reserve(size());
  ForEach([&](std::string_view name) { names.emplace_back(name); });
  return names;
}

InfoTable::InfoTable(ResultInfo info) : info_(std::move(info)) {
  const ResultInfo& r = info_;
  const std::string side = r.side ? SideWord(*r.side) : "";
  switch (r.kind) {
    case ResultInfo::Kind::None: break;
    case ResultInfo::Kind::Pin:
      AddLines({Link("Pin", r.name, ItemKind::Pin), Link("Part", r.part, ItemKind::Part),
                Link("Net", r.net, ItemKind::Net), Plain("Fourth line", r.fourth), Plain("Side", side)});
      AddPinLists(-1);
      break;
    case ResultInfo::Kind::Part: {
      std::vector<InfoLine> lines{Link("Part", r.name, ItemKind::Part), Plain("Side", side),
                                  Plain("Pins", std::to_string(r.partPins.size()))};
      for (const PartPin& pin : r.partPins) lines.push_back(Link(pin.name, pin.net, ItemKind::Pin, pin.name));
      AddLines(std::move(lines));
      break;
    }
    case ResultInfo::Kind::Net:
      AddLines({Link("Net", r.name, ItemKind::Net)});
      AddPinLists(-1);
      break;
    case ResultInfo::Kind::Nails:
      for (std::size_t slot = 0; slot < r.nails.size(); ++slot) {
        AddLines({Link("Nail", r.nails[slot].nail, ItemKind::Nail),
                  Link("Net", r.nails[slot].net, ItemKind::Net)});
        AddPinLists(static_cast<int>(slot));
      }
      break;
  }
  for (const Block& block : blocks_) {
    size_ += block.lines.size();
    if (const NameList* pins = PinsOf(block)) size_ += pins->size();
  }
}

void InfoTable::AddLines(std::vector<InfoLine> lines) {
  Block block;
  block.lines = std::move(lines);
  blocks_.push_back(std::move(block));
}

void InfoTable::AddPinLists(int slot) {
  for (const Side side : kSides) {
    Block block;
    block.slot = slot;
    block.side = side;
    block.lines.push_back(
        Plain(side == Side::Top ? "Top side" : "Bottom side", std::to_string(PinsOf(block)->size())));
    blocks_.push_back(std::move(block));
  }
}

const NameList* InfoTable::PinsOf(const Block& block) const {
  if (!block.side) return nullptr;
  const PerSide<NameList>& pins = block.slot < 0 ? info_.pins : info_.nails[block.slot].pins;
  return &pins[*block.side];
}

InfoLine InfoTable::Line(std::size_t row) const {
  for (const Block& block : blocks_) {
    if (row < block.lines.size()) return block.lines[row];
    row -= block.lines.size();
    const NameList* pins = PinsOf(block);
    if (!pins) continue;
    if (row < pins->size()) {
      const std::string name((*pins)[row]);
      return Link("", name, ItemKind::Pin, name);
    }
    row -= pins->size();
  }
  return {};
}

std::string InfoTable::Text() const {
  std::string text;
  for (std::size_t row = 0; row < size_; ++row) {
    const InfoLine line = Line(row);
    text += line.cells[0];
    text += '\t';
    text += line.cells[1];
    text += '\n';
  }
  return text;
}

}  // namespace vantrel
