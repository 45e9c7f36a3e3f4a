#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "launcher/StatsReport.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/CustomPanel.h"

namespace mirto {
namespace {

QString ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromUtf8(file.readAll());
}

QString Line(int count) { return QStringLiteral("controls %1\n").arg(count); }

TEST(StatsReport, CountsControlsAsTheyComeAndGoChildrenIncluded) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("stats"));
  const int before = TControl::LiveCount();
  auto survivor = std::make_unique<TCustomPanel>(nullptr);
  {
    TStatsReport report(path);
    EXPECT_EQ(ReadAll(path), Line(before + 1));
    auto panel = std::make_unique<TCustomPanel>(nullptr);
    auto* child = new TCustomPanel(panel.get());
    child->SetParent(panel.get());
    report.Write();
    EXPECT_EQ(ReadAll(path), Line(before + 3));
    panel.reset();  // takes its owned child along
    report.Write();
    EXPECT_EQ(ReadAll(path), Line(before + 1));
    survivor.reset();
  }
  // The last figure is written at the end.
  EXPECT_EQ(ReadAll(path), Line(before));
}

}  // namespace
}  // namespace mirto
