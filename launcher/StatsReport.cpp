#include "launcher/StatsReport.h"

#include <QSaveFile>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Timer.h"

namespace mirto {

TStatsReport::TStatsReport(QString fileName) : fileName_(std::move(fileName)) {
  if (fileName_.isEmpty()) return;
  timer_ = std::make_unique<TTimer>();
  timer_->SetInterval(250);
  timer_->OnTimer = [this](TObject*) { Write(); };
  Write();
}

TStatsReport::~TStatsReport() { Write(); }

void TStatsReport::Write() const {
  if (fileName_.isEmpty()) return;
  QSaveFile file(fileName_);
  // One line that scripts read, ending in "\n" on every system.
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(QStringLiteral("controls %1\n").arg(TControl::LiveCount()).toUtf8());
  file.commit();
}

}  // namespace mirto
