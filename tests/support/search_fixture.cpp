#include "support/search_fixture.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "search/layers.h"

namespace vantrel::test {

SearchFixture::SearchFixture()
    : handler(s, [this](const std::string& text, const std::string& details) {
        errors.push_back(text);
        errorDetails.push_back(details);
      }) {
  handler.SetAfterEach([this] { ++handlersRun; });
}

SearchFixture::~SearchFixture() = default;

std::vector<std::string> SearchFixture::OpenFiles(const std::string& boardFile,
                                                  const std::string& companionFile) {
  std::vector<std::string> before;
  before.swap(errors);
  s.document.BoardFile = boardFile;
  s.document.CompanionFile = companionFile;
  s.view.shown = Side::Top;
  Run([&] {
    ComputeHomeView(s.view, s.document.BoardFile);
    DrawLayers(s, BoxStyle::Framed, PassOrder::LayerByLayer);
  });
  s.highlight.mode = HighlightMode::hmBoard;
  before.swap(errors);
  return before;
}

void SearchFixture::Open(const std::string& top, const std::string& bottom) {
  EXPECT_EQ(OpenFiles(dir.Write("b.brd", top), dir.Write("jet.CON", bottom)), std::vector<std::string>{});
}

void SearchFixture::OpenRealBoard(std::string_view name) {
  EXPECT_EQ(OpenFiles(SharedBoardFile(name), (SharedBoardDir(name) / "jet.CON").string()),
            std::vector<std::string>{})
      << name;
}

void SearchFixture::Run(const std::function<void()>& step) { handler.Run(step); }

bool SearchFixture::Ran(const std::function<bool()>& search) {
  bool ran = false;
  Run([&] { ran = search(); });
  return ran;
}

PixelPoint SearchFixture::PixelOf(Side side, double x, double y) const {
  const ViewState& v = s.view;
  return side == Side::Top ? PixelOn(side, v.Scale, v.TopOriginX, v.TopOriginY, x, y)
                           : PixelOn(side, v.Scale, v.BottomOriginX, v.BottomOriginY, x, y);
}

PixelPoint PixelOn(Side side, double scale, double originX, double originY, double x, double y) {
  // nearbyint rounds in the default mode: to nearest, halves to even.
  const double px = scale * x + originX;
  const double py = side == Side::Top ? originY - scale * y : originY + scale * y;
  return {static_cast<std::int64_t>(std::nearbyint(px)), static_cast<std::int64_t>(std::nearbyint(py))};
}

std::string FoldCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

namespace {

std::vector<std::string> Lines(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    std::erase(line, '\r');
    lines.push_back(line);
  }
  return lines;
}

// The index of the line after the first `marker` line.
std::size_t After(const std::vector<std::string>& lines, const std::string& marker) {
  std::size_t i = 0;
  while (lines.at(i) != marker) ++i;
  return i + 1;
}

}  // namespace

std::vector<PinLine> PinRecordsOf(const std::string& file) {
  const std::vector<std::string> lines = Lines(file);
  std::vector<PinLine> pins;
  for (std::size_t i = After(lines, "3 3 3 3"); lines.at(i) != "4 4 4 4"; i += 4) {
    PinLine pin{lines.at(i), 0, 0, lines.at(i + 2), lines.at(i + 3)};
    if (std::sscanf(lines.at(i + 1).c_str(), "%lf %lf", &pin.x, &pin.y) != 2) {
      throw std::runtime_error("not a position: " + lines.at(i + 1));
    }
    pins.push_back(pin);
  }
  return pins;
}

std::vector<PartLine> PartsOf(const std::string& file) {
  const std::vector<std::string> lines = Lines(file);
  std::vector<PartLine> parts;
  for (std::size_t i = After(lines, "1 1 1 1"); lines.at(i) != "2 2 2 2"; i += 2) {
    PartLine p{lines.at(i)};
    if (std::sscanf(lines.at(i + 1).c_str(), "%lf %lf %lf %lf", &p.x1, &p.x2, &p.y1, &p.y2) != 4) {
      throw std::runtime_error("not a box: " + lines.at(i + 1));
    }
    parts.push_back(p);
  }
  return parts;
}

std::vector<NailLine> NailsOf(const std::string& file) {
  const std::vector<std::string> lines = Lines(file);
  std::vector<NailLine> nails;
  for (std::size_t i = After(lines, "4 4 4 4"); lines.at(i) != "5 5 5 5"; i += 4) {
    nails.push_back({lines.at(i), lines.at(i + 2)});
  }
  return nails;
}

std::string NailNetIn(const std::string& file, const std::string& name) {
  for (const NailLine& nail : NailsOf(file)) {
    if (nail.name == name) return nail.net;
  }
  return "";
}

}  // namespace vantrel::test
