#pragma once

// What the launcher does to the outside world: start a program of the
// collection, open its folder, open its home page. Everything goes through
// the shell's "open"; the shell's result is not reported, and an ID that is
// not in the catalog does nothing.

#include "platform/system/Shell.h"

namespace mirto {

// Starts the program's executable with its own folder as working folder.
// Whether the executable exists is left to the shell.
void RunProgram(TWindowHandle owner, int ProgID);

// Starts the program as RunProgram does, with files as its arguments, one
// argument per file in the given order.
void RunProgramWithFiles(TWindowHandle owner, int ProgID, const QStringList& files);

// Opens the program's folder in the file manager, but only when it exists.
void OpenProgramFolder(TWindowHandle owner, int ProgID);

// Opens the program's home page, unless it has none.
void OpenProgramHomePage(TWindowHandle owner, int ProgID);

}  // namespace mirto
