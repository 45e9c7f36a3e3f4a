#pragma once

namespace mirto {

// Maps the font names the layouts use ("Tahoma", "Segoe UI", "Consolas") to
// the open stand-ins installed by the setup scripts, so that text measures the
// same on every machine. Call once after the application object exists.
void InstallFontSubstitutions();

}  // namespace mirto
