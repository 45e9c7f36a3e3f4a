#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <set>

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "platform/system/FileSystem.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

class Catalog : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCatalog(QStringLiteral("/opt/Mirto Pack/mirto").replace(u'/', PathDelim));
  }
  void TearDown() override { FinalizeCatalog(); }

  static const TProgramInfo& Program(int id) {
    const int index = IndexOfProgram(id);
    EXPECT_GE(index, 0) << id;
    return Programs.at(static_cast<size_t>(std::max(index, 0)));
  }

  static std::set<int> GroupsContaining(int programId) {
    std::set<int> groups;
    for (const TProgramGroup& group : Groups) {
      if (std::count(group.IDs.begin(), group.IDs.end(), programId) > 0) groups.insert(group.ID);
    }
    return groups;
  }
};

template <typename Record>
std::vector<int> IdsOf(const std::vector<Record>& table) {
  std::vector<int> ids;
  for (const Record& r : table) ids.push_back(r.ID);
  return ids;
}

TEST_F(Catalog, TablesHoldTheCollectionInOrderOfAddition) {
  EXPECT_EQ(IdsOf(Programs), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20, 25, 26, 27, 28,
                                               29, 35, 36, 9,  21, 30, 31, 32, 33, 34, 37, 38}));
  EXPECT_EQ(IdsOf(Groups), (std::vector<int>{10, 20, 30, 40, 50, 60, 200, 110, 120, 130}));
  EXPECT_EQ(IdsOf(Categories), (std::vector<int>{10, 20, 30, 40, 50, 60, 200, 110, 120, 130}));
  for (size_t i = 0; i < Categories.size(); ++i) {
    EXPECT_EQ(Categories[i].MainCategory, i < 6 ? mcVideo : mcAudio) << Categories[i].ID;
    EXPECT_EQ(Groups[i].Category, Categories[i].MainCategory);
  }
  EXPECT_EQ(Groups[3].IDs, (std::vector<int>{17, 13}));
  EXPECT_EQ(Groups[6].Title, "Audio && Video -> MP3/AAC/WMA/OGG/M4A/AC3/FLAC/WAV");
  EXPECT_EQ(Categories[6].Title, "Audio Converter");
}

TEST_F(Catalog, RestartingDoesNotDuplicateRecords) {
  InitCatalog(QStringLiteral("/elsewhere/mirto").replace(u'/', PathDelim));
  EXPECT_EQ(Programs.size(), 25u);
  EXPECT_EQ(Groups.size(), 10u);
  EXPECT_EQ(Categories.size(), 10u);
  FinalizeCatalog();
  EXPECT_TRUE(Programs.empty() && Groups.empty() && Categories.empty());
  EXPECT_TRUE(AppParams.AppsDir.isEmpty());
}

TEST_F(Catalog, ReferencesBetweenTablesResolve) {
  std::set<int> grouped;
  for (const TProgramGroup& group : Groups) {
    for (int id : group.IDs) {
      EXPECT_GE(IndexOfProgram(id), 0) << "group " << group.ID << " lists " << id;
      grouped.insert(id);
    }
  }
  EXPECT_EQ(grouped.size(), Programs.size()) << "every program is reachable from a group";
  for (const TCategoryInfo& category : Categories) EXPECT_GE(IndexOfGroup(category.ID), 0);
}

TEST_F(Catalog, ProgramsBelongToEveryGroupThatListsThem) {
  const std::pair<int, std::set<int>> cases[] = {
      {21, {200, 110, 120}}, {30, {110, 130}}, {31, {110, 120}},
      {37, {110, 130}},      {12, {10, 30}},   {27, {20, 50}},
  };
  for (const auto& [program, groups] : cases) {
    EXPECT_EQ(GroupsContaining(program), groups) << program;
  }
}

TEST_F(Catalog, IdsOutsideATableAreNotFound) {
  for (int id : {0, -1, 10, 11, 22, 23, 24, 100, INT_MIN, INT_MAX}) {
    EXPECT_EQ(IndexOfProgram(id), -1) << id;
  }
  for (int id : {0, 70, 100, 12, -10}) EXPECT_EQ(IndexOfGroup(id), -1) << id;
  // Program and group IDs are separate spaces that share numbers.
  EXPECT_EQ(Programs[IndexOfProgram(20)].DisplayName, "PSP Audio/Video Converter");
  EXPECT_EQ(Groups[IndexOfGroup(20)].Title, "Video -> MP4");
}

TEST_F(Catalog, EveryButtonIsThirtyThreePixelsHighWithElevenPointPlainFonts) {
  auto check = [](const TButtonParams& b, int id) {
    EXPECT_EQ(b.Height, 33) << id;
    for (const TFontParams* f : {&b.Font, &b.FontDown, &b.FontFocus, &b.FontOver}) {
      EXPECT_EQ(f->Size, 11) << id;
      EXPECT_TRUE(f->Style.Empty()) << id;
    }
  };
  for (const TProgramInfo& p : Programs) {
    check(p.Button, p.ID);
    // Programs press down into their background and frame with their fills.
    EXPECT_EQ(p.Button.ColorDown, p.Button.ColorBg) << p.ID;
    EXPECT_EQ(p.Button.ColorBorder, p.Button.ColorBg) << p.ID;
    EXPECT_EQ(p.Button.ColorBorderOver, p.Button.ColorOver) << p.ID;
    EXPECT_TRUE(p.Info.isEmpty());
  }
  for (const TCategoryInfo& c : Categories) {
    check(c.Button, c.ID);
    EXPECT_EQ(c.Button.Width, 180);
    EXPECT_TRUE(c.Description.isEmpty());
  }
}

TEST_F(Catalog, Program13IsStoredWithDerivedDownAndBorderColours) {
  TButtonParams expected;
  expected.Width = 200;
  expected.Height = 33;
  expected.ColorBg = 0x00528F5B;
  expected.ColorBgGradientStart = 0x00A8C6B3;
  expected.ColorDown = 0x00528F5B;
  expected.ColorDownGradientStart = 0x008BC8AB;
  expected.ColorOver = 0x0073AE7A;
  expected.ColorOverGradientStart = 0x00ACFFB7;
  expected.ColorBorder = 0x00528F5B;
  expected.ColorBorderDown = 0x006B9A84;
  expected.ColorBorderOver = 0x0073AE7A;
  expected.Font = {11, 0x00F2F2F2, {}};
  expected.FontDown = {11, 0x00FFFFFF, {}};
  expected.FontFocus = {11, 0x00F2F2F2, {}};
  expected.FontOver = {11, 0x00FFFFFF, {}};
  EXPECT_EQ(Program(13).Button, expected);
  EXPECT_EQ(Program(13).DisplayName, "3GP -> AVI / MPG");
}

// One program of every palette: width, the three gradient starts, the
// border that keeps the given down colour, and the caption colours.
struct ProgramLook {
  int id;
  int width;
  TColor bg, bgStart, downStart, over, overStart, borderDown, font, fontOver;
};

TEST_F(Catalog, EveryPaletteStoresItsComputedGradientStarts) {
  const ProgramLook cases[] = {
      {12, 200, 0x8D4B70, 0xCBB4B8, 0xD370A8, 0xAD678D, 0xFFAFEF, 0x8D4B70, 0xF2F2F2, 0xFFFFFF},
      {16, 200, 0x8D4B70, 0xCBB4B8, 0xFF9AD3, 0xAD678D, 0xFFAFEF, 0xAD678D, 0xF2F2F2, 0xFFFFFF},
      {17, 200, 0x528F5B, 0xA8C6B3, 0x8BC8AB, 0x73AE7A, 0xACFFB7, 0x6B9A84, 0xF2F2F2, 0xFFFFFF},
      {20, 220, 0x585858, 0xA3A4A5, 0x9C9C9C, 0x787878, 0xF0F0F0, 0x575757, 0xF2F2F2, 0xFFFFFF},
      {15, 200, 0xC78C29, 0xECA677, 0xFFAE6E, 0xD9A348, 0xFFF46C, 0xD78655, 0xF2F2F2, 0xFFFFFF},
      {36, 200, 0x11ADDB, 0x4ECCF1, 0x13C3F7, 0x1FBEED, 0x28F7FF, 0x12B7E7, 0xF2F2F2, 0xFFFFFF},
      {26, 200, 0x43AD4E, 0x82CC95, 0x6EE47A, 0x5CBE66, 0x6EE47A, 0x5CBE66, 0xF2F2F2, 0xFFFFFF},
      {29, 200, 0xBBBB00, 0xDDD364, 0xF4F400, 0xCCCC00, 0xF4F400, 0xCCCC00, 0xF2F2F2, 0xFFFFFF},
      {9, 200, 0x9C695C, 0xA7796D, 0xEB9F8D, 0xAB7E74, 0xEFB0A2, 0x9D6A5E, 0xF2F2F2, 0xFFFFFF},
      {21, 200, 0x2E2E2E, 0xA3A4A5, 0x9C9C9C, 0x575757, 0xAEAEAE, 0x575757, 0xF2F2F2, 0xFFFFFF},
      {30, 260, 0x368D3A, 0x67C56B, 0x4ECC54, 0x40A845, 0x59EB60, 0x3C9D41, 0xF2F2F2, 0xFFFFFF},
      {33, 200, 0xB8C4C5, 0xEFF1F1, 0xFFFFFF, 0xCED6D7, 0xFFFFFF, 0xD7DFDF, 0x000000, 0x000000},
      {34, 200, 0x43AD4E, 0x82CC95, 0x6EE47A, 0x5CBE66, 0x6EE47A, 0x5CBE66, 0xFFFFFF, 0xFFFFFF},
      {37, 260, 0x5088A3, 0x97BBCC, 0x5DA2C7, 0x71A2B9, 0x98DAF9, 0x457894, 0xFFFFFF, 0xFFFFFF},
      {38, 200, 0x1616DE, 0x5050ED, 0x3C3CFF, 0x3434EB, 0x6060F9, 0x2D2DF7, 0xFFFFFF, 0xFFFFFF},
  };
  for (const ProgramLook& c : cases) {
    SCOPED_TRACE(c.id);
    const TButtonParams& b = Program(c.id).Button;
    EXPECT_EQ(b.Width, c.width);
    EXPECT_EQ(b.ColorBg, c.bg);
    EXPECT_EQ(b.ColorBgGradientStart, c.bgStart);
    EXPECT_EQ(b.ColorDownGradientStart, c.downStart);
    EXPECT_EQ(b.ColorOver, c.over);
    EXPECT_EQ(b.ColorOverGradientStart, c.overStart);
    EXPECT_EQ(b.ColorBorderDown, c.borderDown);
    EXPECT_EQ(b.Font.Color, c.font);
    EXPECT_EQ(b.FontFocus.Color, c.font);
    EXPECT_EQ(b.FontOver.Color, c.fontOver);
    EXPECT_EQ(b.FontDown.Color, c.fontOver);
  }
}

struct CategoryLook {
  int id;
  TColor bg, bgStart, down, downStart, over, overStart;
};

TEST_F(Catalog, CategoryButtonsAreStoredWithTheirOwnBorders) {
  const CategoryLook cases[] = {
      {10, 0x585858, 0xA3A4A5, 0x575757, 0x9C9C9C, 0x787878, 0xF0F0F0},
      {20, 0x585858, 0xA3A4A5, 0x575757, 0x9C9C9C, 0x787878, 0xF0F0F0},
      {30, 0x8D4B70, 0xCBB4B8, 0x8D4B70, 0xD370A8, 0xAD678D, 0xFFAFEF},
      {40, 0x528F5B, 0xA8C6B3, 0x528F5B, 0x6AB976, 0x73AE7A, 0xACFFB7},
      {50, 0x43AD4E, 0x82CC95, 0x43AD4E, 0x50CF5D, 0x5CBE66, 0x6EE47A},
      {60, 0x585858, 0xA3A4A5, 0x585858, 0x9E9E9E, 0x787878, 0xF0F0F0},
      {200, 0x585858, 0xA3A4A5, 0x585858, 0x9E9E9E, 0x787878, 0xF0F0F0},
      {110, 0x585858, 0xA3A4A5, 0x585858, 0x9E9E9E, 0x787878, 0xF0F0F0},
      {120, 0x585858, 0xA3A4A5, 0x585858, 0x9E9E9E, 0x787878, 0xF0F0F0},
      {130, 0x5088A3, 0x97BBCC, 0x5088A3, 0x6CB7DC, 0x71A2B9, 0x98DAF9},
  };
  ASSERT_EQ(Categories.size(), std::size(cases));
  for (size_t i = 0; i < Categories.size(); ++i) {
    const CategoryLook& c = cases[i];
    SCOPED_TRACE(c.id);
    const TButtonParams& b = Categories[i].Button;
    EXPECT_EQ(Categories[i].ID, c.id);
    EXPECT_EQ((std::array{b.ColorBg, b.ColorBgGradientStart, b.ColorDown, b.ColorDownGradientStart,
                          b.ColorOver, b.ColorOverGradientStart}),
              (std::array{c.bg, c.bgStart, c.down, c.downStart, c.over, c.overStart}));
    EXPECT_EQ((std::array{b.ColorBorder, b.ColorBorderDown, b.ColorBorderOver}),
              (std::array{c.bg, c.down, c.over}));
    EXPECT_EQ((std::array{b.Font.Color, b.FontOver.Color, b.FontDown.Color, b.FontFocus.Color}),
              (std::array{ButtonFontColor, ButtonFontColorOver, ButtonFontColorDown,
                          ButtonFontColorFocus}));
  }
}

TButtonParams DistinctColours() {
  TButtonParams b;
  b.Width = 7;
  b.Height = 9;
  TColor next = 0x010101;
  for (TColor* c :
       {&b.ColorBg, &b.ColorBgGradientStart, &b.ColorDown, &b.ColorDownGradientStart, &b.ColorOver,
        &b.ColorOverGradientStart, &b.ColorBorder, &b.ColorBorderDown, &b.ColorBorderOver}) {
    *c = next;
    next += 0x010101;
  }
  b.Font = {8, 0x10, {fsBold}};
  b.FontDown = {9, 0x20, {fsItalic}};
  b.FontFocus = {10, 0x30, {fsUnderline}};
  b.FontOver = {12, 0x40, {fsStrikeOut}};
  return b;
}

TEST_F(Catalog, AddProgramDerivesFourColoursAndKeepsTheRest) {
  FinalizeCatalog();
  const TButtonParams given = DistinctColours();
  AddProgram(5, "Name", "1.0", "01.01.2019", "Display", "Info", "https://x.example/", "Dir",
             "Exe.exe", given);
  ASSERT_EQ(Programs.size(), 1u);
  const TProgramInfo& p = Programs[0];
  EXPECT_EQ((std::vector<QString>{p.ProgramName, p.Version, p.Date, p.DisplayName, p.Info, p.Url,
                                  p.Dir, p.ExeFile}),
            (std::vector<QString>{"Name", "1.0", "01.01.2019", "Display", "Info",
                                  "https://x.example/", "Dir", "Exe.exe"}));
  TButtonParams expected = given;
  expected.ColorDown = given.ColorBg;
  expected.ColorBorder = given.ColorBg;
  expected.ColorBorderDown = given.ColorDown;
  expected.ColorBorderOver = given.ColorOver;
  EXPECT_EQ(p.Button, expected);

  // A second record with the same ID is appended; look-ups keep finding the first.
  AddProgram(5, "Second", "", "", "", "", "", "", "", given);
  EXPECT_EQ(Programs.size(), 2u);
  EXPECT_EQ(IndexOfProgram(5), 0);
}

TEST_F(Catalog, AddCategoryStoresTheButtonExactly) {
  FinalizeCatalog();
  const TButtonParams given = DistinctColours();
  AddCategory(70, mcAudio, "Title", "Description", given);
  ASSERT_EQ(Categories.size(), 1u);
  EXPECT_EQ(Categories[0].ID, 70);
  EXPECT_EQ(Categories[0].MainCategory, mcAudio);
  EXPECT_EQ(Categories[0].Title, "Title");
  EXPECT_EQ(Categories[0].Description, "Description");
  EXPECT_EQ(Categories[0].Button, given);
}

}  // namespace
}  // namespace mirto
