// Saves the whole primary screen, menus and every program's windows
// included, as a PNG file: the real-desktop tests leave one beside their
// log when a case fails.
//
//   mirto-grab-screen FILE

#include <QString>
#include <cstdio>

#include "platform/toolkit/Application.h"
#include "platform/toolkit/ScreenCapture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  int qtArgc = 1;
  mirto::TApplication application(qtArgc, argv);
  application.Initialize();
  if (!mirto::SaveScreenArea(mirto::PrimaryScreenArea(), file)) {
    std::fprintf(stderr, "%s: could not save the screen to %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
