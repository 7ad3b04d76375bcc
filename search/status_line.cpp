#include "search/status_line.h"

#include <filesystem>
#include <string_view>
#include <vector>

#include "search/session.h"

namespace vantrel {

namespace {

constexpr std::string_view kDot = " \xb7 ";  // a middle dot, as the header's bytes would hold it

// A name line without the blank that opens it in the pin records.
std::string_view Trimmed(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  return name;
}

std::string Join(const std::vector<std::string>& parts, std::string_view gap) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += gap;
    joined += part;
  }
  return joined;
}

std::string PinsPerSide(const Findings& f) {
  const auto pins = [](std::int64_t n) { return std::to_string(n) + (n == 1 ? " pin" : " pins"); };
  return pins(f.pinsMarked.top) + " on top, " + std::to_string(f.pinsMarked.bottom) + " on bottom";
}

// "top", "bottom", "top and bottom" or "" for where a slot's name was found.
std::string WhereFound(const Findings& f, int slot) {
  const bool top = f.found.top[slot], bottom = f.found.bottom[slot];
  if (top && bottom) return "top and bottom";
  return top ? "top" : bottom ? "bottom" : "";
}

// "<kind> <name>: <where>" per named slot, or "...: not found".
std::vector<std::string> EachName(const Findings& f, std::string_view kind) {
  std::vector<std::string> parts;
  for (int slot = 0; slot < 3; ++slot) {
    if (f.names[slot].empty()) continue;
    const std::string where = WhereFound(f, slot);
    parts.push_back(std::string(kind) + " " + f.names[slot] + ": " + (where.empty() ? "not found" : where));
  }
  return parts;
}

std::string FindingsText(const Findings& f) {
  if (!f.search) return "Pin " + std::string(Trimmed(f.names[0])) + ", net " + f.net;
  switch (*f.search) {
    case SearchKind::Net:
      return "Net " + f.names[0] + ": " +
             (f.pinsMarked.top + f.pinsMarked.bottom > 0 ? PinsPerSide(f) : "not found");
    case SearchKind::CompPin: return Join(EachName(f, "Pin"), "; ");
    case SearchKind::Device: return Join(EachName(f, "Device"), "; ");
    case SearchKind::OpenShort: {
      std::vector<std::string> found, parts;
      for (int slot = 0; slot < 3; ++slot) {
        if (f.names[slot].empty()) continue;
        if (WhereFound(f, slot).empty()) {
          parts.push_back("Nail " + f.names[slot] + ": not found");
        } else {
          found.push_back(f.names[slot]);
        }
      }
      if (!found.empty()) {
        parts.insert(parts.begin(),
                     (found.size() == 1 ? "Nail " : "Nails ") + Join(found, " ") + ": " + PinsPerSide(f));
      }
      return Join(parts, "; ");
    }
  }
  return "";
}

// Whether the window shows a board that a handler has drawn.
bool ShowsBoard(const Session& s) {
  return s.document.HasFiles() && s.highlight.mode != HighlightMode::hmNone;
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

std::string DescribeFileError(const FileError& error) {
  std::string text = FileName(error.file);
  if (error.side) {
    text += *error.side == Side::Top ? " (the board file, top side)" : " (the companion file, bottom side)";
  }
  if (error.line > 0) text += ", line " + std::to_string(error.line);
  return text + ": " + error.message;
}

std::string WindowTitle(const Session& s) {
  const std::string name = FileName(s.document.BoardFile);
  if (s.document.OpenFailed) return name + " \xe2\x80\x94 cannot be read \xe2\x80\x94 Vantrel";
  if (!ShowsBoard(s)) return "Vantrel";
  return name + " \xe2\x80\x94 " + (s.TopShown() ? "top" : "bottom") + " \xe2\x80\x94 Vantrel";
}

std::string StatusLine(const Session& s) {
  if (const std::optional<FileError>& failed = s.document.OpenFailed) {
    return "Cannot be read: " + DescribeFileError(*failed);
  }
  if (!ShowsBoard(s)) return "";
  std::string line = s.TopShown() ? "Top side" : "Bottom side";
  line += kDot;
  line += "zoom step " + std::to_string(s.view.ZoomStep);
  if (const Orientation& o = s.view.orientation; !o.Plain()) {
    line += kDot;
    if (o.quarterTurns > 0) line += "rotated " + std::to_string(o.Degrees()) + "\xb0";
    if (o.quarterTurns > 0 && o.mirrored) line += ", ";
    if (o.mirrored) line += "mirrored";
  }
  if (const std::optional<Findings>& findings = s.highlight.findings) {
    if (const std::string found = FindingsText(*findings); !found.empty()) {
      line += kDot;
      line += found;
    }
  }
  for (const FileError& warning : s.document.Warnings) {
    line += kDot;
    line += "Warning: " + DescribeFileError(warning);
  }
  return line;
}

}  // namespace vantrel
