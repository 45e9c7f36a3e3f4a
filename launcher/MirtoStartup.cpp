#include "launcher/MirtoStartup.h"

#include <QFileInfo>
#include <cstdio>

#include "catalog/MirtoApps.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/StartupTrace.h"
#include "launcher/StatsReport.h"
#include "platform/drawing/FontWarmUp.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SingleInstance.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/FirstFrame.h"

namespace mirto {

int RunMirto(int& argc, char** argv, const TStartupHooks& hooks) {
  StartupMark("main");
  InitCatalog();
  StartupMark("catalog");
  // A launcher already running from this folder comes to the front
  // instead, before this one has connected to the window system.
  TSingleInstance instance(QFileInfo(ExecutableFileName()).absolutePath());
  const TInstanceClaim claim = instance.Claim();
  if (claim == icHandedOver) {
    FinalizeCatalog();
    return 0;
  }
  if (claim == icCheckFailed)
    std::fprintf(stderr, "mirto: cannot check for a running launcher (%s); starting anyway\n",
                 qPrintable(instance.ErrorText()));
  StartupMark("instance check");
  // Measured on an idle two-processor machine (docs/ARCHITECTURE.md,
  // "Measuring the start"): the window maps 8 ms sooner from the program's
  // first line (23.0 against 31.0 ms, medians of 25 traced starts), 4 to 6 ms
  // sooner in the start-up comparison, for 1.6 ms more processor time.
  TFontWarmUp fonts;
  {
    TApplication application(argc, argv);
    if (claim == icFirst && !instance.Listen())
      std::fprintf(stderr, "mirto: later starts will not find this launcher (%s)\n",
                   qPrintable(instance.ErrorText()));
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    StartupMark("application");
    // The first window measures the first text.
    fonts.Wait();
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
    // The listener goes while the toolkit it listens through still runs.
    instance.OnActivate = nullptr;
    instance.StopListening();
  }
  FinalizeCatalog();
  return 0;
}

}  // namespace mirto
