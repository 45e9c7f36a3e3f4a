#pragma once

// For the checks that need a real X display (the toolkit's xcb platform):
// they end at once, with a clear message, on any other platform.

#include <QGuiApplication>
#include <QString>
#include <cstdio>

namespace mirto::testing {

// Whether the application runs on an X display; says which platform it runs
// on instead when not. Call once the application exists.
inline bool OnXDisplay() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) return true;
  std::fprintf(stderr, "needs the xcb platform, got %s\n",
               qPrintable(QGuiApplication::platformName()));
  return false;
}

}  // namespace mirto::testing
