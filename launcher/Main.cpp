// Entry point of Mirto.
//
// The launcher's windows are still being built; until they exist this entry
// point does the part that already works: it derives the launcher's paths,
// fills the catalog and reports the collection it would offer, with the
// executable each button would start and whether it is installed.

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "platform/toolkit/FileSystem.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  mirto::InitCatalog();

  QTextStream out(stdout);
  out << "Mirto: the launcher window is not built yet; this is the collection it offers.\n";
  out << "Programs folder: " << mirto::AppParams.AppsDir << "\n\n";
  int installed = 0;
  for (const int id : mirto::AboutProgramOrder) {
    const int index = mirto::IndexOfProgram(id);
    if (index < 0) continue;
    const mirto::TProgramInfo& program = mirto::Programs[static_cast<std::size_t>(index)];
    const QString executable = program.Dir + mirto::PathDelim + program.ExeFile;
    const bool present = QFileInfo(executable).isFile();
    installed += present ? 1 : 0;
    out << mirto::PadRight(program.ProgramName, 42, u' ') << ' '
        << mirto::PadRight(program.Version, 6, u' ') << program.Date
        << (present ? "  installed  " : "  missing    ") << executable << '\n';
  }
  out << '\n' << installed << " of " << mirto::AboutProgramOrder.size() << " programs installed.\n";
  out.flush();

  mirto::FinalizeCatalog();
  return 0;
}
