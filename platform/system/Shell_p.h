#pragma once

// How the shell service hands its texts to the system's call.

#include <QString>

namespace mirto {

// The parameters and the working folder always reach the system as texts:
// an empty one as an empty text, never as an absent argument.
const char16_t* ShellArgumentText(const QString& text);

}  // namespace mirto
