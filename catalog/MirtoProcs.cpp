#include "catalog/MirtoProcs.h"

#include <QDir>
#include <cstdio>

#include "catalog/CatalogState_p.h"
#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "platform/system/FileSystem.h"

namespace mirto {

namespace {

enum class TBuilds { OneBuild, Suffix64, SuffixUnderscore64 };

// Which programs have a separate 64-bit build, and how its file is named.
bool BuildsOf(int ID, TBuilds& builds) {
  switch (ID) {
    case 9:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 28:
    case 30:
    case 37:
      builds = TBuilds::OneBuild;
      return true;
    case 12:
    case 13:
    case 14:
    case 15:
    case 21:
    case 25:
    case 26:
    case 27:
    case 29:
      builds = TBuilds::Suffix64;
      return true;
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
    case 38:
      builds = TBuilds::SuffixUnderscore64;
      return true;
    default:
      return false;
  }
}

QString InsertBeforeExtension(const QString& baseName, const QString& infix) {
  static constexpr QStringView kExe = u".exe";
  if (!baseName.endsWith(kExe, Qt::CaseInsensitive)) return baseName + infix;
  return baseName.left(baseName.size() - kExe.size()) + infix + baseName.right(kExe.size());
}

// Everything before the last delimiter; a file in the root keeps the
// delimiter so the root itself remains.
QString FolderPart(const QString& fileName) {
  const qsizetype delimiter = fileName.lastIndexOf(PathDelim);
  if (delimiter < 0) return QString();
  const QString folder = fileName.left(delimiter);
  const bool isRoot = folder.isEmpty() || (folder.size() == 2 && folder[1] == u':');
  return isRoot ? fileName.left(delimiter + 1) : folder;
}

QString WithIniExtension(const QString& fileName) {
  const qsizetype nameStart = fileName.lastIndexOf(PathDelim) + 1;
  const qsizetype dot = fileName.lastIndexOf(u'.');
  const QString stem = dot >= nameStart ? fileName.left(dot) : fileName;
  return stem + QStringLiteral(".ini");
}

// A text of the program with the ID; empty when there is none.
QString ProgramText(int ID, QString TProgramInfo::*text) {
  const int index = IndexOfProgram(ID);
  return index < 0 ? QString() : Programs[index].*text;
}

}  // namespace

void InitAppParams() { InitAppParams(ExecutableFileName()); }

void InitAppParams(const QString& givenFileName) {
  TAppParams& paths = catalog_state::Paths;
  // Windows takes "/" as a separator too; the paths are kept in its own form.
  const QString exeFileName = QDir::toNativeSeparators(givenFileName);
  // Without the launcher's own folder every path would point somewhere
  // unrelated (the root's "apps64"); the collection then has no paths, so
  // nothing can be started, and the one place to say so is standard error.
  if (!exeFileName.contains(PathDelim)) {
    paths = {};
    std::fputs("mirto: the launcher's own folder cannot be found; no program can be started\n",
               stderr);
    return;
  }
  paths.MyDir = NormalizeDir(FolderPart(exeFileName));
  paths.AppsDir = paths.MyDir + PathDelim + QStringLiteral("apps64");
  paths.IniName = WithIniExtension(exeFileName);
}

QString GetExeName(int ID, bool Is64Bit) {
  TBuilds builds;
  const TInstallationRecord* record = FindInstallationRecord(ID);
  if (record == nullptr || !BuildsOf(ID, builds)) return QString();
  const QString baseName = record->BaseExeName.toString();
  if (!Is64Bit) return baseName;
  switch (builds) {
    case TBuilds::OneBuild:
      return baseName;
    case TBuilds::Suffix64:
      return InsertBeforeExtension(baseName, QStringLiteral("64"));
    case TBuilds::SuffixUnderscore64:
      return InsertBeforeExtension(baseName, QStringLiteral("_64"));
  }
  return baseName;
}

QString ProgramExecutable(const TProgramInfo& program) {
  return program.Dir + PathDelim + program.ExeFile;
}

QString GetProgramDisplayName(int ID) { return ProgramText(ID, &TProgramInfo::DisplayName); }

QString GetProgramDir(int ID) { return ProgramText(ID, &TProgramInfo::Dir); }

QString GetProgramUrl(int ID) { return ProgramText(ID, &TProgramInfo::Url); }

QString GetGroupTitle(int ID) {
  const int index = IndexOfGroup(ID);
  return index < 0 ? QString() : Groups[index].Title;
}

QString PadRight(const QString& S, int Len, QChar Ch) {
  if (S.size() >= Len) return S;
  return S + QString(Len - S.size(), Ch);
}

QString NormalizeDir(const QString& Path) {
  QString result = Path;
  if (result.endsWith(PathDelim)) result.chop(1);
  if (result.endsWith(QString(PathDelim) + u'.')) result.chop(2);
  return result;
}

bool DirExists(const QString& Path) { return IsFolder(Path); }

}  // namespace mirto
