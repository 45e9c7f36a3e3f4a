#include "platform/drawing/FontSubstitution.h"

#include <QFont>
#include <QString>

namespace mirto {

void InstallFontSubstitutions() {
  // Stand-ins with close metrics; scripts/* install them (fonts-liberation2,
  // fonts-open-sans, fonts-inconsolata).
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("Open Sans"));
  QFont::insertSubstitution(QStringLiteral("Consolas"), QStringLiteral("Inconsolata"));
}

}  // namespace mirto
