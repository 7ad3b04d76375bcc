// The program names Windows faces ("Times New Roman", "MS Sans Serif",
// "Comic Sans MS", "Century Gothic", "宋体", "隶书"). RegisterFontSubstitutions
// maps each to the Debian face that stands in for it (packages fonts-liberation,
// fonts-dejavu-core, fonts-urw-base35, fonts-arphic-uming, fonts-arphic-ukai), so
// that text keeps about the expected size and Chinese captions do not show as
// boxes. Call it once, after the QGuiApplication exists and before the first
// text is measured.
#pragma once

namespace vantrel {

void RegisterFontSubstitutions();

}  // namespace vantrel
