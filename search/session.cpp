#include "search/session.h"

namespace vantrel {

void RunSidePasses(Session& s, Side side, Variant variant) {
  const PassView pass = MainPassView(s.view, side, variant);
  OutlinePass(s.FileOf(side), pass, s.ImageOf(side), &s.headerImage);
  PartBoxPass(s.FileOf(side), pass, s.ImageOf(side));
  PinPass(s.FileOf(side), pass, s.ImageOf(side));
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
  std::string line;
  for (auto part = parts.begin(); part != parts.end(); ++part) {
    if (part != parts.begin()) line += gap;
    line += *part;
  }
  return line;
}

}  // namespace vantrel
