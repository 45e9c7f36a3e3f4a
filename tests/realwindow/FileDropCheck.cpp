// Files dragged onto a program button of the real main window, on a real
// (virtual) X display: a drag of three files with awkward names starts from
// a window of its own, the pointer (moved through the window system) drops
// it on the button, and the demo collection's stand-in program must log
// exactly those three names as its arguments. Exit code 0 only then.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "catalog/MirtoApps.h"
#include "components/ButtonEx.h"
#include "components/KvoPanel.h"
#include "launcher/MirtoMain.h"
#include "platform/toolkit/Application.h"
#include "tests/support/DragSource.h"
#include "tests/support/RealWindow.h"
#include "tests/support/ToolkitSeam.h"

using namespace mirto;

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "FAILED: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("MIRTO_DEMO_QUIET", "1");
  TApplication app(argc, argv);
  if (!testing::OnXDisplay()) return 1;
  QTemporaryDir temp;
  QProcess make;
  make.start(QStringLiteral(MIRTO_MAKE_DEMO_COLLECTION),
             {temp.path(), QStringLiteral(MIRTO_PLACEHOLDER)});
  if (!make.waitForFinished(30000) || make.exitCode() != 0) return Fail("no demo collection");
  InitCatalog(temp.filePath(QStringLiteral("mirto")));

  const QStringList names = {QStringLiteral("my \"quoted\" 'clip'.flv"),
                             QStringLiteral("-rf $(touch pwned).flv"),
                             QString::fromUtf8("line\nbreak Vidéo 映画.flv")};
  QStringList files, expected;
  for (const QString& name : names) {
    QFile file(temp.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return Fail("cannot make the files");
    files << file.fileName();
    expected << QString(file.fileName()).replace(u'\n', u' ');  // as the stand-in logs it
  }

  app.Initialize();
  auto* main = app.CreateForm<TFormMain>();
  testing::DragSource source(files, QStringLiteral("drag source"), QRect(0, 0, 120, 120));
  source.show();

  int code = 1;
  QTimer::singleShot(0, [&] {
    if (!QTest::qWaitForWindowExposed(testing::NativeWidgetOf(*main), 5000) ||
        !QTest::qWaitForWindowExposed(&source, 5000)) {
      code = Fail("the windows were never shown");
      return app.Terminate();
    }
    main->DisplayGroup(30);
    QTest::qWait(400);
    TButtonEx* button = nullptr;
    for (int i = 0; i < main->pnMain->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButtonEx*>(main->pnMain->Controls(i)); b && b->Tag() == 12)
        button = b;
    if (button == nullptr) {
      code = Fail("no button for program 12");
      return app.Terminate();
    }
    const QPoint target = testing::NativeWidgetOf(*button)->mapToGlobal(QPoint(20, 15));
    const QPoint start = source.mapToGlobal(QPoint(60, 60));
    const auto at = [](QPoint p) {
      return QStringList{QString::number(p.x()), QString::number(p.y())};
    };
    QStringList steps = QStringList{"mousemove"} + at(start) +
                        QStringList{"mousedown", "1", "sleep", "0.3", "mousemove"} +
                        at(target + QPoint(-10, 0)) + QStringList{"sleep", "0.3", "mousemove"} +
                        at(target) + QStringList{"sleep", "0.3", "mouseup", "1"};
    QProcess::startDetached(QStringLiteral("xdotool"), steps);
    // The drop starts the stand-in, which logs its start.
    const QString log = temp.filePath(QStringLiteral("apps64/launches.log"));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && !QFile::exists(log)) QTest::qWait(50);
    QTest::qWait(200);
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) {
      code = Fail("nothing was started by the drop");
      return app.Terminate();
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList fields = lines.isEmpty() ? QStringList() : lines[0].split(u'\t');
    if (lines.size() != 1 || fields.value(0) != u"12" || fields.mid(3) != expected) {
      std::fprintf(stderr, "logged: %s\n", qPrintable(lines.join(u'|')));
      code = Fail("the program did not get exactly the three files");
    } else if (QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))) ||
               QFile::exists(temp.filePath(QStringLiteral("apps64/FlvConverter/pwned")))) {
      code = Fail("a name was run as a command");
    } else {
      std::printf("three files dropped on the button arrived as three arguments\n");
      code = 0;
    }
    app.Terminate();
  });
  QTimer::singleShot(20000, [&] {
    std::fprintf(stderr, "timed out\n");
    app.Terminate();
  });
  app.Run();
  FinalizeCatalog();
  return code;
}
