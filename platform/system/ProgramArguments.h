#pragma once

// The arguments the running program was started with, without its own name,
// exactly as its starter gave them: on Windows read from the system's wide
// command line (the narrow argv there holds the system's code page, which
// loses every letter outside it), elsewhere decoded from argv.

#include <QStringList>

namespace mirto {

QStringList ProgramArguments(int argc, char** argv);

}  // namespace mirto
