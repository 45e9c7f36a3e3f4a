#pragma once

#include <QString>

namespace mirto {

// Maps the font names the layouts use ("Tahoma", "Segoe UI", "Consolas") to
// the open stand-ins installed by the setup scripts, so that text measures the
// same on every machine. Call once after the application object exists.
void InstallFontSubstitutions();

// The family to ask the font system for when text is to be shown in the
// family `name`: `name` itself when it is installed or has no stand-in, else
// its first installed stand-in. Each name is looked up once per process;
// asking for the stand-in directly spares the font system the search for a
// family that is not there every time a new font size or style is needed.
QString InstalledFontFamily(const QString& name);

}  // namespace mirto
