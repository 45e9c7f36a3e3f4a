#pragma once

// The program's start and end: the catalog, the application object, the
// main window, the about window, the message loop, then everything torn
// down in reverse. The entry point runs it as it is; the screenshot and
// start-up benchmark programs run the same code with a hook that acts once
// the main window has painted its first frame.

#include <functional>

namespace mirto {

class TFormAbout;
class TFormMain;

struct TStartupHooks {
  // Called when the window system first maps the main window.
  std::function<void(TFormMain& main)> Mapped;
  // Called from the message loop after the main window's first frame is on
  // screen.
  std::function<void(TFormMain& main, TFormAbout& about)> FirstFrame;
};

// Returns the process's exit code.
int RunMirto(int& argc, char** argv, const TStartupHooks& hooks = {});

}  // namespace mirto
