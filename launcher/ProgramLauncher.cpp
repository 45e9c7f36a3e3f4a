#include "launcher/ProgramLauncher.h"

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "platform/system/FileSystem.h"

namespace mirto {

namespace {

const QString kOpen = QStringLiteral("open");

}  // namespace

void RunProgram(TWindowHandle owner, int ProgID) {
  const int index = IndexOfProgram(ProgID);
  if (index < 0) return;
  const TProgramInfo program = Programs[index];
  if (program.Dir.isEmpty()) return;  // the collection's folder is unknown
  const QString path = program.Dir + PathDelim + program.ExeFile;
  const QString workingFolder = path.left(path.lastIndexOf(PathDelim));
  ShellExecuteW(owner, kOpen, path, QString(""), workingFolder, SW_SHOW);
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
