// Stand-in for one program of the collection in the demo collection that
// scripts/run creates: copied into a program's folder under the program's
// executable name, it works out which program it stands for from that
// name, appends one line per start to the collection's start log and shows
// a small window with the program, its folder and its arguments.
//
// The start log is "launches.log" in the collection folder (the parent of
// the program's folder), or the file MIRTO_DEMO_LOG names. Each line holds,
// separated by tabs: the program's ID (0 when the name is not the
// collection's), the executable, the working folder, then one field per
// argument. With MIRTO_DEMO_QUIET set, or without a display, the stand-in
// only logs and exits.
//
// With MIRTO_DEMO_LIST_COLLECTION set it prints the layout of the demo
// collection instead, one "folder<TAB>executable" line per program.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include "catalog/InstallationData.h"
#include "catalog/MirtoProcs.h"
#include "platform/system/FileSystem.h"
#include "platform/system/ProgramArguments.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"

namespace {

using namespace mirto;

const TInstallationRecord* ProgramOf(const QFileInfo& executable) {
  const QString folder = executable.absoluteDir().dirName();
  for (const TInstallationRecord& record : InstallationRecords())
    if (record.FolderName == folder && GetExeName(record.ID, true) == executable.fileName())
      return &record;
  return nullptr;
}

QString LogPath(const QFileInfo& executable) {
  const QString chosen = qEnvironmentVariable("MIRTO_DEMO_LOG");
  if (!chosen.isEmpty()) return chosen;
  QDir collection = executable.absoluteDir();
  collection.cdUp();
  return collection.filePath(QStringLiteral("launches.log"));
}

// Tabs and line breaks inside a field would split it; they become spaces.
QString Field(QString text) {
  for (QChar& c : text)
    if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
  return text;
}

void AppendStart(const QString& logPath, int id, const QFileInfo& executable,
                 const QStringList& arguments) {
  QStringList fields{QString::number(id), Field(executable.absoluteFilePath()),
                     Field(QDir::currentPath())};
  for (const QString& argument : arguments) fields << Field(argument);
  QFile log(logPath);
  if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
  log.write((fields.join(u'\t') + u'\n').toUtf8());
}

int ListCollection() {
  QTextStream out(stdout);
  for (const TInstallationRecord& record : InstallationRecords())
    out << record.FolderName.toString() << '\t' << GetExeName(record.ID, true) << '\n';
  return 0;
}

bool HasDisplay() {
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  if (platform == u"offscreen" || platform == u"minimal") return false;
#if defined(_WIN32)
  return true;  // Windows always has its desktop
#else
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

void ShowWindow(int argc, char** argv, const QString& title, const QStringList& lines) {
  TApplication app(argc, argv);
  app.Initialize();
  auto* form = app.CreateForm<TForm>();
  form->SetCaption(title);
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->Font().SetName(QStringLiteral("Segoe UI"));
  form->Font().SetHeight(-13);
  int top = 14;
  int width = 320;
  for (const QString& line : lines) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetShowAccelChar(false);
    label->SetCaption(line);
    label->SetBounds(16, top, 0, 0);
    width = std::max(width, label->Width() + 32);
    top += label->Height() + 6;
  }
  auto* close = new TBitBtn(form);
  close->SetParent(form);
  close->SetKind(bkClose);
  close->SetBounds(0, top + 8, 90, 26);
  form->SetBounds(0, 0, width, top + 48);
  close->SetLeft(width - 106);
  app.Run();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsEmpty("MIRTO_DEMO_LIST_COLLECTION")) return ListCollection();

  const QFileInfo executable(ExecutableFileName());
  const QStringList arguments = ProgramArguments(argc, argv);
  const TInstallationRecord* program = ProgramOf(executable);
  AppendStart(LogPath(executable), program ? program->ID : 0, executable, arguments);

  if (!qEnvironmentVariableIsEmpty("MIRTO_DEMO_QUIET") || !HasDisplay()) return 0;
  const QString name =
      program ? program->ProgramName.toString() : QStringLiteral("an unknown program");
  ShowWindow(argc, argv, name,
             {QStringLiteral("Demo stand-in for %1").arg(name),
              QStringLiteral("Executable: %1").arg(executable.fileName()),
              QStringLiteral("Folder: %1").arg(executable.absolutePath()),
              QStringLiteral("Working folder: %1").arg(QDir::currentPath()),
              arguments.isEmpty() ? QStringLiteral("Arguments: none")
                                  : QStringLiteral("Arguments: %1").arg(arguments.join(u' '))});
  return 0;
}
