#include <gtest/gtest.h>

#include <QString>
#include <set>

#include "catalog/MirtoApps.h"
#include "launcher/MainActions.h"
#include "platform/toolkit/Menus.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

class MainActions : public ::testing::Test {
 protected:
  void SetUp() override { InitCatalog(QStringLiteral("/opt/pack/mirto")); }
  void TearDown() override { FinalizeCatalog(); }
  static QString Caption(const char* name) { return InitialCaption(*FindMainActionRow(name)); }
};

TEST_F(MainActions, InitMenusCaptionsComeFromTheCatalogOrTheFixedTexts) {
  EXPECT_EQ(Caption("actShowCategory_VIDEO_AVI"), "CATEGORY:   Video -> AVI / MPG");
  EXPECT_EQ(Caption("actShowCategory_AUDIO_CUE"), "CATEGORY:   CUE Sheet Splitters");
  EXPECT_EQ(Caption("actRunProgram_WMA_TO_MP3"), "WMA -> MP3 / WAV");
  EXPECT_EQ(Caption("actRunProgram_MP4_TO_MP3"), "MP4, M4V - > MP3 / WAV");
  // The accelerator rule shows the doubled ampersand once.
  EXPECT_EQ(StripHotkey(Caption("actRunProgram_AUDIO_EXTRACTOR")), "Audio Converter & Extractor");
  EXPECT_EQ(Caption("actButton_HomePage"), "Visit program home page");
  for (const TMainActionRow& row : MainActionRows())
    if (row.Kind != makOther) {
      EXPECT_FALSE(Caption(row.Name).isEmpty()) << row.Name;
    }
}

TEST_F(MainActions, MenusNameExistingActionsAndTheVideoMenuHoldsNoAudioEntry) {
  for (const auto menu : {VideoMenuEntries(), AudioMenuEntries(), ButtonMenuEntries()})
    for (const char* entry : menu)
      if (QLatin1String(entry) != QLatin1String("-")) {
        EXPECT_NE(FindMainActionRow(entry), nullptr) << entry;
      }
  for (const char* entry : VideoMenuEntries()) {
    const TMainActionRow* row = FindMainActionRow(entry);
    if (row != nullptr) {
      EXPECT_STREQ(row->Category, kMenuVideo) << entry;
    }
  }
  EXPECT_EQ(VideoMenuEntries().size(), 30u);
  EXPECT_EQ(AudioMenuEntries().size(), 18u);
}

TEST_F(MainActions, ALookUpOfANameNotInTheTableFailsExplicitly) {
  EXPECT_EQ(FindMainActionRow("actNoSuchAction"), nullptr);
  EXPECT_EQ(FindMainActionRow(""), nullptr);
}

TEST_F(MainActions, ShortcutsAreUniqueAndImagesAreTheListsUsedIndices) {
  std::set<TShortCut> shortcuts;
  std::set<int> images;
  for (const TMainActionRow& row : MainActionRows()) {
    if (row.ShortCut != scNone) {
      EXPECT_TRUE(shortcuts.insert(row.ShortCut).second) << row.Name;
    }
    if (row.ImageIndex >= 0) images.insert(row.ImageIndex);
  }
  EXPECT_EQ(shortcuts.size(), 13u);
  const std::set<int> used = {6,  7,  8,  10, 11, 12, 13, 14, 15, 16, 17,
                              18, 19, 20, 21, 23, 24, 25, 26, 27, 28, 29};
  EXPECT_EQ(images, used);
}

}  // namespace
}  // namespace mirto
