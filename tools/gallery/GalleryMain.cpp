// Renders the component gallery into one PNG: docs/gallery.png by default,
// or the file named by the first argument.

#include <QByteArray>
#include <QString>
#include <cstdio>

#include "platform/toolkit/Application.h"
#include "tools/gallery/GallerySheet.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  mirto::TApplication application(argc, argv);
  application.Initialize();
  const QString output =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MIRTO_GALLERY_OUTPUT);
  if (!mirto::gallery::RenderSheet(output)) {
    std::fprintf(stderr, "cannot write %s\n", output.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
