#include "platform/drawing/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>
#include <mutex>

#include "platform/drawing/FontWarmUp.h"

namespace mirto {

namespace {

// The families with a stand-in, as the layouts name them.
const QStringList& SubstitutedFamilies() {
  static const QStringList names = {QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif"),
                                    QStringLiteral("Segoe UI"), QStringLiteral("Consolas")};
  return names;
}

// Finds the family for `name` once; any thread may ask, since the font warm-up
// resolves the names ahead of the main thread.
QString ResolveFamily(const QString& name) {
  const QStringList substitutes = QFont::substitutes(name);
  // Names without a stand-in go to the font system as they are; without an
  // application object there is no font system to ask yet.
  if (substitutes.isEmpty() || QGuiApplication::instance() == nullptr) return name;
  static std::mutex mutex;
  static QHash<QString, QString> resolved;
  const std::lock_guard lock(mutex);
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

}  // namespace

void InstallFontSubstitutions() {
  // Stand-ins with close metrics; scripts/* install them (fonts-liberation2,
  // fonts-open-sans, fonts-inconsolata).
  const QStringList standIns = {QStringLiteral("Liberation Sans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Open Sans"),
                                QStringLiteral("Inconsolata")};
  for (qsizetype i = 0; i < standIns.size(); ++i)
    QFont::insertSubstitution(SubstitutedFamilies()[i], standIns[i]);
}

void PrepareFontFamilies() {
  for (const QString& name : SubstitutedFamilies()) ResolveFamily(name);
}

QString InstalledFontFamily(const QString& name) {
  AwaitFontWarmUp();
  return ResolveFamily(name);
}

}  // namespace mirto
