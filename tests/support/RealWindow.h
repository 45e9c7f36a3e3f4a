#pragma once

// For the checks that need a real X display (the toolkit's xcb platform):
// they end at once, with a clear message, on any other platform, and start
// with a bare main form to put their controls on.

#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "platform/toolkit/Application.h"
#include "platform/toolkit/Form.h"

namespace mirto::testing {

// Whether the application runs on an X display; says which platform it runs
// on instead when not. Call once the application exists.
inline bool OnXDisplay() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) return true;
  std::fprintf(stderr, "needs the xcb platform, got %s\n",
               qPrintable(QGuiApplication::platformName()));
  return false;
}

// Initialises app and makes its main form, without the window manager's
// frame.
inline TForm* StartBareForm(TApplication& app) {
  app.Initialize();
  auto* form = app.CreateForm<TForm>();
  form->SetBorderStyle(bsNone);
  return form;
}

}  // namespace mirto::testing
