#include "render/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace vantrel {

void RegisterFontSubstitutions() {
  struct Substitution {
    const char* requested;  // UTF-8
    const char* faces[3];   // the first one installed is used
  };
  static const Substitution kSubstitutions[] = {
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},  // metric-compatible
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},              // metric-compatible
      {"MS Sans Serif", {"DejaVu Sans", "Liberation Sans"}},
      // No casual hand-lettered face ships with Debian's base fonts; Comic Neue
      // is the look-alike where it is installed, URW Gothic has the rounded,
      // wide letters otherwise.
      {"Comic Sans MS", {"Comic Neue", "URW Gothic", "DejaVu Sans"}},
      // Century Gothic follows the design of Avant Garde Gothic, which URW Gothic copies.
      {"Century Gothic", {"URW Gothic", "DejaVu Sans"}},
      {"宋体", {"AR PL UMing CN"}},  // SimSun: Ming (Song) style
      {"SimSun", {"AR PL UMing CN"}},
      {"隶书", {"AR PL UKai CN"}},  // LiSu: no clerical face in Debian; Kai is nearest
      {"LiSu", {"AR PL UKai CN"}},
  };
  for (const Substitution& s : kSubstitutions) {
    QStringList faces;
    for (const char* face : s.faces) {
      if (face) faces << QString::fromUtf8(face);
    }
    QFont::insertSubstitutions(QString::fromUtf8(s.requested), faces);
  }
}

}  // namespace vantrel
