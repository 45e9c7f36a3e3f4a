#pragma once

// The launcher's paths, executable names by program ID, look-ups from an ID
// to a program's or group's texts, and small string and folder utilities.

#include <QChar>
#include <QString>

namespace mirto {

struct TProgramInfo;

// Fills AppParams from the running executable's location.
void InitAppParams();
// Fills AppParams for a launcher at exeFileName: MyDir is its folder,
// AppsDir that folder's "apps64" sub-folder, IniName the name with ".ini" as
// extension. A name without a folder (the executable could not be found)
// leaves every path empty and says so on standard error.
void InitAppParams(const QString& exeFileName);

// The program's executable file name; with Is64Bit the name of its 64-bit
// build where the collection has one. Empty for an unknown ID.
QString GetExeName(int ID, bool Is64Bit);

// The program's executable: its folder, the path delimiter, its file name.
QString ProgramExecutable(const TProgramInfo& program);

// Texts of the program or group with the ID; empty when there is none.
QString GetProgramDisplayName(int ID);
QString GetProgramDir(int ID);
QString GetProgramUrl(int ID);
QString GetGroupTitle(int ID);

// S followed by copies of Ch up to Len characters; never shortens S.
QString PadRight(const QString& S, int Len, QChar Ch);

// Path without one trailing path delimiter and without a trailing
// delimiter-dot pair.
QString NormalizeDir(const QString& Path);

// True when Path names an existing folder.
bool DirExists(const QString& Path);

}  // namespace mirto
