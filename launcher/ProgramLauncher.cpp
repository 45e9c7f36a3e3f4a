#include "launcher/ProgramLauncher.h"

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "platform/system/FileSystem.h"

namespace mirto {

namespace {

const QString kOpen = QStringLiteral("open");

}  // namespace

namespace {

// The executable of a program and its folder; false for an unknown program
// or collection folder.
bool ExecutableOf(int ProgID, QString& path, QString& workingFolder) {
  const int index = IndexOfProgram(ProgID);
  if (index < 0) return false;
  const TProgramInfo program = Programs[index];
  if (program.Dir.isEmpty()) return false;  // the collection's folder is unknown
  path = ProgramExecutable(program);
  workingFolder = path.left(path.lastIndexOf(PathDelim));
  return true;
}

}  // namespace

void RunProgram(TWindowHandle owner, int ProgID) {
  QString path;
  QString workingFolder;
  if (!ExecutableOf(ProgID, path, workingFolder)) return;
  ShellExecuteW(owner, kOpen, path, QString(""), workingFolder, SW_SHOW);
}

void RunProgramWithFiles(TWindowHandle owner, int ProgID, const QStringList& files) {
  QString path;
  QString workingFolder;
  if (!ExecutableOf(ProgID, path, workingFolder)) return;
  ShellExecuteWithArguments(owner, path, files, workingFolder, SW_SHOW);
}

void OpenProgramFolder(TWindowHandle owner, int ProgID) {
  const QString folder = GetProgramDir(ProgID);
  if (folder.isEmpty() || !DirExists(folder)) return;
  ShellExecuteW(owner, kOpen, folder, QString(""), folder, SW_SHOW);
}

void OpenProgramHomePage(TWindowHandle owner, int ProgID) {
  const QString address = GetProgramUrl(ProgID);
  if (address.isEmpty()) return;
  ShellExecuteW(owner, kOpen, address, QString(""), QString(""), SW_SHOW);
}

}  // namespace mirto
