// Entry point of every test program: a headless application object makes
// fonts, painting and (offscreen) windows available without a display.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include "platform/drawing/FontSubstitution.h"

// The sanitizers' options, however a test program is started: errors end the
// program, and the leaks of the toolkit's and font system's own caches are
// known (support/lsan.supp). The environment's options still win.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() {
  return "detect_leaks=1:abort_on_error=0:halt_on_error=1";
}
extern "C" const char* __lsan_default_options() {
  return "suppressions=" MIRTO_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
#endif

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The desktop's session bus stays out of the tests: its panel would show
  // their tray icons and answer for the notification area. A test program
  // run on a private bus of its own says so (MIRTO_TEST_SESSION_BUS).
  if (qEnvironmentVariableIsEmpty("MIRTO_TEST_SESSION_BUS"))
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mirto-tests-have-no-session-bus");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  mirto::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
