#pragma once

// Windows programs on other systems: a Windows executable is recognised by
// its content, and Wine starts it. Wine's drive Z: is the root of the file
// system, so every absolute path has a Windows form there.

#include <QString>
#include <QStringList>

namespace mirto {

// Whether path names a regular file that begins with a Windows executable's
// headers: "MZ" at its start and the signature "PE\0\0" at the offset the
// 32-bit little-endian field at 0x3C names, all four bytes inside the file.
// Neither the name nor the permissions count. A folder, a missing or
// unreadable file, or a header cut short is not one.
bool IsWindowsExecutable(const QString& path);

// The Windows form of an absolute path under Wine: "Z:" followed by the path
// with every "/" turned into "\" and every other character kept
// ("/tmp/a b.flv" becomes "Z:\tmp\a b.flv"). Anything else is returned as
// given.
QString WineWindowsPath(const QString& path);

// What starts a Windows program through Wine: the wine program with the
// executable's path first, then the arguments, each absolute path among
// them in its Windows form (WineWindowsPath), the others as given.
struct TWineCommand {
  QString Program;
  QStringList Arguments;
  friend bool operator==(const TWineCommand&, const TWineCommand&) = default;
};
TWineCommand WineCommand(const QString& wine, const QString& executable,
                         const QStringList& arguments);

// The wine program found on the PATH, empty when there is none. Searches
// the PATH each time it is called.
QString FindWine();

// Whether this system starts the file through Wine: a Windows executable on
// a system other than Windows.
bool StartsThroughWine(const QString& path);

}  // namespace mirto
