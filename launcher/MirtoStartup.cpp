#include "launcher/MirtoStartup.h"

#include "catalog/MirtoApps.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/StartupTrace.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/ScreenCapture.h"

namespace mirto {

int RunMirto(int& argc, char** argv, const TStartupHooks& hooks) {
  StartupMark("main");
  InitCatalog();
  StartupMark("catalog");
  {
    TApplication application(argc, argv);
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    StartupMark("application");
    auto* main = application.CreateForm<TFormMain>();
    StartupMark("main window");
    auto* about = application.CreateForm<TFormAbout>();
    main->SetAboutForm(about);
    StartupMark("about window");
    if (StartupTraceEnabled()) {
      WhenFirstMapped(*main, [] { StartupMark("mapped"); });
      WhenFirstFramePainted(*main, [] { StartupMark("first frame"); });
    }
    if (hooks.Mapped) WhenFirstMapped(*main, [main, &hooks] { hooks.Mapped(*main); });
    if (hooks.FirstFrame)
      WhenFirstFramePainted(*main, [main, about, &hooks] { hooks.FirstFrame(*main, *about); });
    application.Run();
  }
  FinalizeCatalog();
  return 0;
}

}  // namespace mirto
