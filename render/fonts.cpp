#include "render/fonts.h"

#include <QFont>
#include <QString>

namespace vantrel {

void RegisterFontSubstitutions() {
  struct Substitution {
    const char* requested;
    const char* installed;
  };
  static const Substitution substitutions[] = {
      {"Times New Roman", "Liberation Serif"},  // metric-compatible
      {"Arial", "Liberation Sans"},
      {"MS Sans Serif", "DejaVu Sans"},
      {"Comic Sans MS", "URW Gothic"},
      {"Century Gothic", "URW Gothic"},
      {"宋体", "AR PL UMing CN"},
      {"隶书", "AR PL UKai CN"},
  };
  for (const Substitution& s : substitutions) {
    QFont::insertSubstitution(QString::fromUtf8(s.requested), QString::fromUtf8(s.installed));
  }
}

}  // namespace vantrel
