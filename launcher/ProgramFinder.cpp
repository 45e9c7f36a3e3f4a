#include "launcher/ProgramFinder.h"

#include <QStringList>
#include <algorithm>

#include "catalog/MirtoApps.h"

namespace mirto {

namespace {

// The text as shown: "&&" stands for one "&".
QString Shown(const QString& text) {
  QString shown = text;
  return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// Everything a program can be found by, one text per line.
QString Haystack(const TProgramInfo& program) {
  QString haystack = Shown(program.DisplayName);
  for (const TProgramGroup& group : Groups) {
    if (std::find(group.IDs.begin(), group.IDs.end(), program.ID) == group.IDs.end()) continue;
    haystack += u'\n' + Shown(group.Title) + u'\n' + Shown(group.Description);
  }
  return haystack;
}

}  // namespace

std::vector<int> FindPrograms(const QString& text) {
  const QStringList words = text.simplified().split(QChar(u' '), Qt::SkipEmptyParts);
  std::vector<int> found;
  if (words.isEmpty()) return found;
  for (const TProgramInfo& program : Programs) {
    const QString haystack = Haystack(program);
    const bool all = std::all_of(words.begin(), words.end(), [&](const QString& word) {
      return haystack.contains(word, Qt::CaseInsensitive);
    });
    if (all) found.push_back(program.ID);
  }
  return found;
}

}  // namespace mirto
