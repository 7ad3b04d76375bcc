#include "search/session.h"

namespace vantrel {

void RunSidePasses(Session& s, Side side, Variant variant) {
  const PassView pass = MainPassView(s.view, side, variant);
  OutlinePass(s.FileOf(side), pass, s.ImageOf(side), &s.Image3);
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
  OutlinePass(s.BoardFile, top, s.Image1, &s.Image3);
  OutlinePass(s.CompanionFile, bottom, s.Image2, &s.Image3);
  PartBoxPass(s.BoardFile, top, s.Image1);
  PartBoxPass(s.CompanionFile, bottom, s.Image2);
  PinPass(s.BoardFile, top, s.Image1);
  PinPass(s.CompanionFile, bottom, s.Image2);
}

}  // namespace vantrel
