#include "platform/drawing/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

namespace mirto {

namespace {

// The families the layouts name that are not installed everywhere, each with
// an open stand-in of close metrics; scripts/* install the stand-ins
// (fonts-liberation2, fonts-open-sans, fonts-inconsolata).
struct TStandIn {
  const char* family;
  const char* standIn;
};
constexpr TStandIn kStandIns[] = {{"Tahoma", "Liberation Sans"},
                                  {"MS Sans Serif", "Liberation Sans"},
                                  {"Segoe UI", "Open Sans"},
                                  {"Consolas", "Inconsolata"}};

}  // namespace

void InstallFontSubstitutions() {
  for (const TStandIn& entry : kStandIns)
    QFont::insertSubstitution(QString::fromLatin1(entry.family),
                              QString::fromLatin1(entry.standIn));
}

QString InstalledFontFamily(const QString& name) {
  const QStringList substitutes = QFont::substitutes(name);
  // Names without a stand-in go to the font system as they are; without an
  // application object there is no font system to ask yet.
  if (substitutes.isEmpty() || QGuiApplication::instance() == nullptr) return name;
  static QHash<QString, QString> resolved;
  const auto known = resolved.constFind(name);
  if (known != resolved.constEnd()) return *known;
  // Looked up in the list of installed families as they stand: the toolkit's
  // own look-up first runs each name through the font system's whole
  // substitution configuration (a tenth of a millisecond a name here, before
  // the first text can be measured), and a family that is only an alias there
  // has no font of its own to measure with anyway.
  static const QStringList installed = QFontDatabase::families();
  const auto isInstalled = [](const QString& family) {
    return installed.contains(family, Qt::CaseInsensitive);
  };
  QString family = name;
  if (!isInstalled(name)) {
    for (const QString& substitute : substitutes) {
      if (isInstalled(substitute)) {
        family = substitute;
        break;
      }
    }
  }
  resolved.insert(name, family);
  return family;
}

}  // namespace mirto
