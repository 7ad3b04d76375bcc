#include "search/session.h"

#include "search/side_tasks.h"

namespace vantrel {

namespace {

void SidePasses(Session& s, Side side, Variant variant, Canvas* header) {
  const PassView pass = MainPassView(s.view, side, variant);
  OutlinePass(s.FileOf(side), pass, s.ImageOf(side), header);
  PartBoxPass(s.FileOf(side), pass, s.ImageOf(side));
  PinPass(s.FileOf(side), pass, s.ImageOf(side));
}

}  // namespace

void RunSidePasses(Session& s, Side side, Variant variant) { SidePasses(s, side, variant, &s.headerImage); }

void RunSidePassesApart(Session& s, Side side, Variant variant) { SidePasses(s, side, variant, nullptr); }

void ClearHeaderPicture(Session& s) {
  s.headerImage.setBrushColor(colors::kBlack);
  s.headerImage.clear();
}

void DrawLayers(Session& s, Variant variant, PassOrder order) {
  RunSides(s,
           {.top = [&] { RunSidePassesApart(s, Side::Top, variant); },
            .bottom = [&] { RunSidePassesApart(s, Side::Bottom, variant); },
            .merge = [&] { ClearHeaderPicture(s); },
            .startsWithTopOutline = true},
           [&] { RunLayerPasses(s, variant, order); });
}

void RunLayerPasses(Session& s, Variant variant, PassOrder order) {
  if (order == PassOrder::SideAfterSide) {
    RunSidePasses(s, Side::Top, variant);
    RunSidePasses(s, Side::Bottom, variant);
    return;
  }
  const PassView top = MainPassView(s.view, Side::Top, variant);
  const PassView bottom = MainPassView(s.view, Side::Bottom, variant);
  OutlinePass(s.BoardFile, top, s.topImage, &s.headerImage);
  OutlinePass(s.CompanionFile, bottom, s.bottomImage, &s.headerImage);
  PartBoxPass(s.BoardFile, top, s.topImage);
  PartBoxPass(s.CompanionFile, bottom, s.bottomImage);
  PinPass(s.BoardFile, top, s.topImage);
  PinPass(s.CompanionFile, bottom, s.bottomImage);
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
