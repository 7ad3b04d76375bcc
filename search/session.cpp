#include "search/session.h"

namespace vantrel {

Pictures::Pictures(bool labelGlyphs) {
  for (ImageCanvas* picture :
       {&sides.top, &sides.bottom, &strip, &overview.pictures.top, &overview.pictures.bottom}) {
    picture->SetLabelGlyphs(labelGlyphs);
  }
}

FileError Document::ErrorOf(const BoardError& e) const {
  FileError error;
  error.message = e.what();
  if (const std::optional<ReadPosition>& where = e.where()) {
    error.file = where->file;
    if (where->file == BoardFile) error.side = Side::Top;
    if (where->file == CompanionFile) error.side = Side::Bottom;
    if (where->bytesRead) error.line = LineOfLastByte(where->file, *where->bytesRead);
  }
  return error;
}

void Pictures::ClearHeader() {
  for (std::string& line : header) std::string().swap(line);
}

void Pictures::ClearStrip() {
  strip.setBrushColor(colors::kBlack);
  strip.clear();
}

Session::Session(const CoreOptions& options) : pictures(options.labelGlyphs), runner(options.sides) {}

bool RunSearch(Session& s, SearchKind kind, const SlotNames& names,
               const std::function<void(Findings&)>& mark) {
  if (!s.document.HasFiles()) return false;
  s.highlight.findings.reset();
  Findings findings(kind, names);
  mark(findings);
  s.highlight.Set(ModeOf(kind), std::move(findings));
  return true;
}

void RunRedraw(Session& s, SearchKind kind, const SlotNames& names,
               const std::function<void(Findings&)>& mark) {
  if (s.document.HasFiles()) mark(s.highlight.findings.emplace(kind, names));
}

std::string JoinHeader(std::initializer_list<std::string_view> parts, std::string_view gap) {
  std::size_t size = parts.size() > 0 ? (parts.size() - 1) * gap.size() : 0;
  for (const std::string_view part : parts) size += part.size();
  std::string line;
  line.reserve(size);
  for (auto part = parts.begin(); part != parts.end(); ++part) {
    if (part != parts.begin()) line += gap;
    line += *part;
  }
  return line;
}

}  // namespace vantrel
