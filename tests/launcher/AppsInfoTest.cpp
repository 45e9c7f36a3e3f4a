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

// The cells come back from every line of the list as it was written, and
// from lines a user shortened as far as they still go.
TEST_F(AppsInfo, EachLineSplitsIntoItsNameVersionAndDate) {
  InitCatalog(QStringLiteral("/opt/pack/mirto"));
  const QStringList lines = AppsInfoText(AboutProgramOrder).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 25);
  for (int i = 0; i < lines.size(); ++i) {
    const TProgramInfo& program = Programs[IndexOfProgram(AboutProgramOrder[i])];
    EXPECT_EQ(AppsInfoCells(lines[i]),
              (QStringList{program.ProgramName, program.Version, program.Date}));
  }
  EXPECT_EQ(AppsInfoColumns().size(), 3);
  const struct {
    const char* line;
    QStringList cells;
  } edited[] = {
      // A name of 41 characters or more is followed by a single space.
      {"An Exceedingly Long Program Name Of Many Words 1.0      01.02.2003",
       {"An Exceedingly Long Program Name Of Many Words", "1.0", "01.02.2003"}},
      {"  Spaced   Name   2.1   04.05.2006  ", {"Spaced   Name", "2.1", "04.05.2006"}},
      {"Name 1.0", {"Name 1.0", "", ""}},
      {"   ", {"", "", ""}},
      {"", {"", "", ""}},
  };
  for (const auto& e : edited) EXPECT_EQ(AppsInfoCells(e.line), e.cells) << e.line;
}

}  // namespace
}  // namespace mirto
