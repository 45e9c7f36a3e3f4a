#include "launcher/MirtoStartup.h"

#include <QFileInfo>
#include <cstdio>

#include "catalog/MirtoApps.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/StartupTrace.h"
#include "launcher/StatsReport.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SingleInstance.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/FirstFrame.h"

namespace mirto {

int RunMirto(int& argc, char** argv, const TStartupHooks& hooks) {
  StartupMark("main");
  InitCatalog();
  StartupMark("catalog");
  {
    TApplication application(argc, argv);
    // A launcher already running from this folder comes to the front
    // instead, before this one has made any window.
    TSingleInstance instance(QFileInfo(ExecutableFileName()).absolutePath());
    switch (instance.Claim()) {
      case icHandedOver:
        FinalizeCatalog();
        return 0;
      case icCheckFailed:
        std::fprintf(stderr, "mirto: cannot check for a running launcher (%s); starting anyway\n",
                     qPrintable(instance.ErrorText()));
        break;
      case icFirst:
        break;
    }
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    StartupMark("application");
    auto* main = application.CreateForm<TFormMain>();
    StartupMark("main window");
    auto* about = application.CreateForm<TFormAbout>();
    main->SetAboutForm(about);
    instance.OnActivate = [main] { main->ComeToFront(); };
    StartupMark("about window");
    if (StartupTraceEnabled()) {
      WhenFirstMapped(*main, [] { StartupMark("mapped"); });
      WhenFirstFramePainted(*main, [] { StartupMark("first frame"); });
    }
    if (hooks.Mapped) WhenFirstMapped(*main, [main, &hooks] { hooks.Mapped(*main); });
    const TStatsReport stats(qEnvironmentVariable("MIRTO_STATS_FILE"));
    if (hooks.FirstFrame)
      WhenFirstFramePainted(*main, [main, about, &hooks] { hooks.FirstFrame(*main, *about); });
    application.Run();
  }
  FinalizeCatalog();
  return 0;
}

}  // namespace mirto
