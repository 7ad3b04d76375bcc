// The program names Windows faces ("Times New Roman", "MS Sans Serif",
// "宋体", ...). RegisterFontSubstitutions maps each to the Debian face that
// stands in for it, so that text has the expected size and Chinese captions
// do not show as boxes. Call once after the QGuiApplication exists.
#pragma once

namespace vantrel {

void RegisterFontSubstitutions();

}  // namespace vantrel
