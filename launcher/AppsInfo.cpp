#include "launcher/AppsInfo.h"

#include <QRegularExpression>

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"

namespace mirto {

QString AppsInfoText(std::span<const int> programIDs) {
  QString text;
  for (const int id : programIDs) {
    const int index = IndexOfProgram(id);
    if (index < 0) continue;
    const TProgramInfo& program = Programs[static_cast<std::size_t>(index)];
    text += PadRight(program.ProgramName, 41, u' ') + u' ' + PadRight(program.Version, 5, u' ') +
            QStringLiteral("      ") + program.Date + QStringLiteral("\r\n");
  }
  if (text.size() > 2) text.chop(2);
  return text;
}

QStringList AppsInfoColumns() {
  return {QStringLiteral("Program"), QStringLiteral("Version"), QStringLiteral("Date")};
}

QStringList AppsInfoCells(const QString& line) {
  static const QRegularExpression kLastTwoWords(
      QStringLiteral("^(.*\\S)\\s+(\\S+)\\s+(\\S+)\\s*$"));
  const QRegularExpressionMatch words = kLastTwoWords.match(line);
  if (!words.hasMatch()) return {line.trimmed(), QString(), QString()};
  return {words.captured(1).trimmed(), words.captured(2), words.captured(3)};
}

}  // namespace mirto
