#include "platform/drawing/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

namespace mirto {

void InstallFontSubstitutions() {
  // Stand-ins with close metrics; scripts/* install them (fonts-liberation2,
  // fonts-open-sans, fonts-inconsolata).
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("Open Sans"));
  QFont::insertSubstitution(QStringLiteral("Consolas"), QStringLiteral("Inconsolata"));
}

QString InstalledFontFamily(const QString& name) {
  const QStringList substitutes = QFont::substitutes(name);
  // Names without a stand-in go to the font system as they are; without an
  // application object there is no font system to ask yet.
  if (substitutes.isEmpty() || QGuiApplication::instance() == nullptr) return name;
  static QHash<QString, QString> resolved;
  const auto known = resolved.constFind(name);
  if (known != resolved.constEnd()) return *known;
  QString family = name;
  if (!QFontDatabase::hasFamily(name)) {
    for (const QString& substitute : substitutes) {
      if (QFontDatabase::hasFamily(substitute)) {
        family = substitute;
        break;
      }
    }
  }
  resolved.insert(name, family);
  return family;
}

}  // namespace mirto
