#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "catalog/MirtoApps.h"
#include "launcher/AppsInfo.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

class AppsInfo : public ::testing::Test {
 protected:
  void TearDown() override { FinalizeCatalog(); }
};

TEST_F(AppsInfo, PadsNameAndVersionColumnsAndEndsWithoutALineBreak) {
  InitCatalog(QStringLiteral("/opt/pack/mirto"));
  const QString text = AppsInfoText(AboutProgramOrder);
  EXPECT_FALSE(text.endsWith(u'\n'));
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 25);
  for (int i = 0; i < lines.size(); ++i) {
    const TProgramInfo& program = Programs[IndexOfProgram(AboutProgramOrder[i])];
    const QString name = program.ProgramName.size() >= 41
                             ? program.ProgramName
                             : program.ProgramName.leftJustified(41, u' ');
    const QString version = program.Version.leftJustified(5, u' ');
    EXPECT_EQ(lines[i], name + u' ' + version + QStringLiteral("      ") + program.Date);
  }
  // A four-character version is followed by seven spaces in all.
  const int i21 = IndexOfProgram(21);
  ASSERT_EQ(Programs[i21].Version.size(), 4);
  EXPECT_TRUE(lines[0].contains(Programs[i21].Version + QString(7, u' ') + Programs[i21].Date));
}

TEST_F(AppsInfo, UnknownIDsAreSkippedAndNothingGivesAnEmptyList) {
  InitCatalog(QStringLiteral("/opt/pack/mirto"));
  const std::vector<int> withUnknown = {11, 21, 0, 25};
  const QStringList lines = AppsInfoText(withUnknown).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.size(), 2);
  EXPECT_TRUE(AppsInfoText(std::vector<int>{11, 22}).isEmpty());
  FinalizeCatalog();
  EXPECT_TRUE(AppsInfoText(AboutProgramOrder).isEmpty());
}

}  // namespace
}  // namespace mirto
