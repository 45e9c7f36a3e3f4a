#include "launcher/MirtoStartup.h"

#include "catalog/MirtoApps.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/StatsReport.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/ScreenCapture.h"

namespace mirto {

int RunMirto(int& argc, char** argv, const TStartupHooks& hooks) {
  InitCatalog();
  {
    TApplication application(argc, argv);
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    auto* main = application.CreateForm<TFormMain>();
    auto* about = application.CreateForm<TFormAbout>();
    main->SetAboutForm(about);
    const TStatsReport stats(qEnvironmentVariable("MIRTO_STATS_FILE"));
    if (hooks.FirstFrame)
      WhenFirstFramePainted(*main, [main, about, &hooks] { hooks.FirstFrame(*main, *about); });
    application.Run();
  }
  FinalizeCatalog();
  return 0;
}

}  // namespace mirto
