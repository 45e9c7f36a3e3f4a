// Starts Mirto with its own start-up code and, once the main window has
// painted its first frame, puts it into one scene, saves a picture and
// ends the program.
//
//   mirto-screenshot FILE                 the window as it starts
//   mirto-screenshot --scene SCENE FILE   SCENE: categories, group:ID,
//                                         menu:video, menu:audio, menu:button,
//                                         about, hover (a program button),
//                                         pressed (the categories button),
//                                         keyboard (the focus cue on a
//                                         program button), keyboard:home
//                                         (the focus cue on the categories
//                                         button), find:TEXT (the find view
//                                         for TEXT)
//   mirto-screenshot --first-frame        no picture: print "mapped" when the
//                                         window is mapped, "first frame" and
//                                         exit at the first frame
//
// Window pictures show the main window alone; menu and about pictures show
// the whole screen, since those windows lie partly outside the main window.

#include <QCoreApplication>
#include <QString>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "components/ButtonEx.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/MirtoStartup.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ScreenCapture.h"

namespace {

using namespace mirto;

constexpr int kSettleMs = 250;

int g_exitCode = 0;

void Finish(bool saved) {
  if (!saved) g_exitCode = 1;
  Application()->Terminate();
}

// The first program button of the group view shown now.
TButtonEx* FirstProgramButton(TFormMain& main) {
  for (int i = 0; i < main.pnMain->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TButtonEx*>(main.pnMain->Controls(i)); b && b->Visible()) return b;
  return nullptr;
}

// Saves the screen while a modal loop (menu or window) runs, then ends it.
void SaveScreenDuring(const QString& file, std::function<void()> close) {
  QTimer::singleShot(kSettleMs * 2, [file, close] {
    const bool saved = SaveScreenArea(PrimaryScreenArea(), file);
    if (!saved) g_exitCode = 1;
    close();
  });
}

void AfterSettling(std::function<void()> step) { QTimer::singleShot(kSettleMs, std::move(step)); }

void RunScene(const QString& scene, const QString& file, TFormMain& main, TFormAbout& about) {
  if (scene == u"categories") {
    Finish(SaveWindowPicture(main, file));
  } else if (scene.startsWith(u"group:")) {
    main.DisplayGroup(scene.mid(6).toInt());
    AfterSettling([&main, file] { Finish(SaveWindowPicture(main, file)); });
  } else if (scene == u"menu:video" || scene == u"menu:audio") {
    TPopupMenu* menu = scene == u"menu:video" ? main.popMenuVideo : main.popMenuAudio;
    SaveScreenDuring(file, [menu] { menu->CloseMenu(); });
    if (menu == main.popMenuVideo)
      main.btnMenuVideoClick(main.btnMenuVideo);
    else
      main.btnMenuAudioClick(main.btnMenuAudio);
    Finish(g_exitCode == 0);
  } else if (scene == u"menu:button") {
    main.DisplayGroup(10);
    AfterSettling([&main, file] {
      TButtonEx* button = FirstProgramButton(main);
      if (button == nullptr) return Finish(false);
      SaveScreenDuring(file, [&main] { main.popButton->CloseMenu(); });
      main.ProgramButton_MouseDown(button, mbRight, {}, button->Width() / 2, 10);
      Finish(g_exitCode == 0);
    });
  } else if (scene == u"about") {
    SaveScreenDuring(file, [&about] { about.Close(); });
    main.btnAboutClick(main.btnAbout);
    Finish(g_exitCode == 0);
  } else if (scene == u"hover" || scene == u"pressed") {
    // Hovered: the first program button. Pressed: the categories button,
    // whose pressed look differs from its normal one (a program button's
    // pressed fill is its normal fill).
    main.DisplayGroup(10);
    AfterSettling([&main, file, scene] {
      TControl* target = scene == u"hover" ? static_cast<TControl*>(FirstProgramButton(main))
                                           : static_cast<TControl*>(main.btnHome);
      if (target == nullptr) return Finish(false);
      const TPoint centre = target->ClientToScreen({target->Width() / 2, target->Height() / 2});
      MovePointerTo(centre);
      if (scene == u"pressed") SendLeftButton(*target, target->Width() / 2, 10, true);
      AfterSettling([&main, file, target, scene] {
        const bool saved = SaveWindowPicture(main, file);
        // Let go outside the button, so that nothing is started.
        if (scene == u"pressed") SendLeftButton(*target, -20, -20, false);
        Finish(saved);
      });
    });
  } else if (scene == u"keyboard" || scene == u"keyboard:home") {
    main.DisplayGroup(10);
    AfterSettling([&main, file, scene] {
      SetKeyboardCuesShown(true);  // as after Tab or an arrow key
      if (scene == u"keyboard:home") {
        main.btnHome->SetFocus();
      } else {
        main.MoveFocus(VK_RIGHT);
        main.MoveFocus(VK_DOWN);
      }
      AfterSettling([&main, file] { Finish(SaveWindowPicture(main, file)); });
    });
  } else if (scene.startsWith(u"find:")) {
    for (QChar c : scene.mid(5)) main.FormKeyPress(&main, c);
    AfterSettling([&main, file] { Finish(SaveWindowPicture(main, file)); });
  } else {
    std::fprintf(stderr, "mirto-screenshot: unknown scene %s\n", qPrintable(scene));
    Finish(false);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QString scene = QStringLiteral("categories");
  QString file;
  bool firstFrameOnly = false;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == u"--scene" && i + 1 < argc)
      scene = QString::fromLocal8Bit(argv[++i]);
    else if (arg == u"--first-frame")
      firstFrameOnly = true;
    else
      file = arg;
  }
  if (file.isEmpty() && !firstFrameOnly) {
    std::fprintf(stderr, "usage: %s [--scene SCENE] FILE | --first-frame\n", argv[0]);
    return 2;
  }
  TStartupHooks hooks;
  if (firstFrameOnly) {
    hooks.Mapped = [](TFormMain&) {
      std::fputs("mapped\n", stdout);
      std::fflush(stdout);
    };
  }
  hooks.FirstFrame = [&](TFormMain& main, TFormAbout& about) {
    if (firstFrameOnly) {
      std::fputs("first frame\n", stdout);
      std::fflush(stdout);
      return Finish(true);
    }
    RunScene(scene, file, main, about);
  };
  int qtArgc = 1;  // the scene arguments are ours, not the toolkit's
  const int code = RunMirto(qtArgc, argv, hooks);
  return code != 0 ? code : g_exitCode;
}
