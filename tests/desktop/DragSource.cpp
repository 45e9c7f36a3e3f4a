// A window that starts a drag of the files named on its command line as
// soon as the pointer presses it, so that a test can carry the files with
// xdotool onto another program's window and let go there.
//
//   desktop_drag_source FILE...

#include "tests/support/DragSource.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mirto::testing::DragSource source(app.arguments().mid(1), QStringLiteral("Drag source"),
                                    QRect(10, 60, 120, 80));
  source.show();
  return app.exec();
}
