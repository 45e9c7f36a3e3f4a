// A styled popup menu on a real (virtual) X display: opened at a screen
// point, its top-left pixel lies at that point in the style's border colour,
// the icon bar beside it; the keyboard then moves the selection to the
// second entry, the screen shows it moved, and Return chooses it, which executes that entry's
// action and no other. Exit code 0 only when all of that happened.

#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "components/KvoMenuStyle.h"
#include "components/KvoStyledMenu.h"
#include "launcher/WindowLooks.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Menus.h"
#include "tests/support/RealWindow.h"
#include "tests/support/ToolkitSeam.h"

using namespace mirto;

namespace {

TColor ColorOf(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
             static_cast<std::uint8_t>(qBlue(p)));
}

void AddEntry(TPopupMenu& menu, TBasicAction* action) {
  auto* item = new TMenuItem();
  menu.Items()->Add(item);
  if (action != nullptr) {
    item->SetAction(action);
  } else {
    item->SetCaption("-");
  }
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  if (!testing::OnXDisplay()) return 1;
  TForm* form = testing::StartBareForm(app);
  form->SetBounds(400, 300, 200, 120);

  auto* run = new TAction(form);
  run->SetCaption("&Run program");
  auto* folder = new TAction(form);
  folder->SetCaption("Open program &folder");
  int runs = 0, folders = 0;
  run->OnExecute = [&](TObject*) { ++runs; };
  folder->OnExecute = [&](TObject*) { ++folders; };

  auto* menu = new TPopupMenu(form);
  AddEntry(*menu, run);
  AddEntry(*menu, nullptr);
  AddEntry(*menu, folder);
  const TKvoMenuStyle style = LightMenuStyle();
  AttachMenuStyle(*menu, style);

  constexpr int kX = 100, kY = 80;
  bool placed = false, barBeside = false, outsideClear = false, selectionMoved = false;
  bool timedOut = false;
  QTimer watch;
  watch.setInterval(20);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QMenu* open = testing::OpenMenuOf(*menu);
    if (open == nullptr || !open->isVisible() || !QTest::qWaitForWindowExposed(open, 100)) return;
    watch.stop();
    QTest::qWait(100);  // let the first paint reach the screen
    const QImage screen = open->screen()->grabWindow(0).toImage();
    placed = ColorOf(screen, kX, kY) == style.BorderColor;
    barBeside = ColorOf(screen, kX + 1, kY + 10) == style.IconBarFrom;
    outsideClear = ColorOf(screen, kX - 1, kY) != style.BorderColor &&
                   ColorOf(screen, kX, kY - 1) != style.BorderColor;
    if (!placed)
      std::fprintf(stderr, "found %08x at the opening point\n",
                   static_cast<unsigned>(ColorOf(screen, kX, kY)));
    // Moving down twice leaves the first entry and selects the last one;
    // each shows its new look on the screen.
    QTest::keyClick(open, Qt::Key_Down);
    QTest::keyClick(open, Qt::Key_Down);
    QTest::qWait(100);
    const QImage moved = open->screen()->grabWindow(0).toImage();
    const auto middleLeft = [&](int index) {
      const QRect r = open->actionGeometry(open->actions().at(index));
      return open->mapToGlobal(QPoint(r.left(), r.center().y()));
    };
    const QPoint first = middleLeft(0), last = middleLeft(2);
    selectionMoved = ColorOf(moved, first.x(), first.y()) == style.IconBarFrom &&
                     ColorOf(moved, last.x(), last.y()) == style.SelectedBorder;
    QTest::keyClick(open, Qt::Key_Return);
  });
  QTimer::singleShot(0, [&] {
    watch.start();
    menu->Popup(kX, kY);
    app.Terminate();
  });
  QTimer::singleShot(15000, [&] {
    std::fprintf(stderr, "timed out\n");
    timedOut = true;
    menu->CloseMenu();
    app.Terminate();
  });

  form->Show();
  app.Run();
  if (timedOut) return 1;
  if (!placed || !barBeside || !outsideClear) {
    std::fprintf(stderr, "menu not drawn at the point: border %d, icon bar %d, outside %d\n",
                 placed, barBeside, outsideClear);
    return 1;
  }
  if (!selectionMoved) {
    std::fprintf(stderr, "the selection did not move on the screen\n");
    return 1;
  }
  if (folders != 1 || runs != 0) {
    std::fprintf(stderr, "expected the second entry chosen once, got %d and %d\n", runs, folders);
    return 1;
  }
  std::printf("styled menu opened at its point, drawn in its style, chosen by keyboard\n");
  return 0;
}
