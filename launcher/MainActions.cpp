#include "launcher/MainActions.h"

#include <array>
#include <cstring>

#include "catalog/MirtoProcs.h"

namespace mirto {

namespace {

constexpr TShortCut Ctrl(char key) { return scCtrl | static_cast<TShortCut>(key); }
constexpr TShortCut Alt(char key) { return scAlt | static_cast<TShortCut>(key); }

// A group action: shows its group, captioned with the group's title.
constexpr TMainActionRow Group(const char* name, const char* category, int tag,
                               TShortCut shortCut) {
  return {name, makGroup, category, tag, -1, shortCut, nullptr, nullptr, mahDisplayGroup};
}

// A program action: runs its program, captioned with the program's name
// unless it has a caption of its own.
constexpr TMainActionRow Program(const char* name, const char* category, int tag, int image,
                                 TShortCut shortCut = scNone, const char* caption = nullptr) {
  return {name, makProgram, category, tag, image, shortCut, caption, nullptr, mahRunProgram};
}

// Any other action: a handler, caption and hint of its own, in no menu
// category.
constexpr TMainActionRow Other(const char* name, int image, TShortCut shortCut, const char* caption,
                               const char* hint, TMainActionHandler handler) {
  return {name, makOther, "", 0, image, shortCut, caption, hint, handler};
}

// clang-format off
constexpr std::array<TMainActionRow, 43> kRows = {{
  // Group(name, menu category, group ID, shortcut)
  Group("actShowCategory_VIDEO_AVI",               kMenuVideo,  10, Ctrl('1')),
  Group("actShowCategory_VIDEO_MP4",               kMenuVideo,  20, Ctrl('2')),
  Group("actShowCategory_VIDEO_FLASH",             kMenuVideo,  30, Ctrl('3')),
  Group("actShowCategory_VIDEO_3GP",               kMenuVideo,  40, Ctrl('4')),
  Group("actShowCategory_VIDEO_HTML5",             kMenuVideo,  50, Ctrl('5')),
  Group("actShowCategory_VIDEO_PORTABLE",          kMenuVideo,  60, Ctrl('6')),
  Group("actShowCategory_AUDIO_AUDIO_TO_MP3",      kMenuAudio, 110, Alt('2')),
  Group("actShowCategory_AUDIO_VIDEO_TO_MP3",      kMenuAudio, 120, Alt('3')),
  Group("actShowCategory_AUDIO_CUE",               kMenuAudio, 130, Alt('4')),

  // Program(name, menu category, program ID, image[, shortcut[, own caption]])
  Program("actRunProgram_MP4_to_AVI",              kMenuVideo,  14, 19),
  Program("actRunProgram_MKV_TO_AVI",              kMenuVideo,  25, 16),
  Program("actRunProgram_FLV_TO_AVI",              kMenuVideo,  12, 13),
  Program("actRunProgram_MOV_TO_AVI",              kMenuVideo,  15, 18),
  Program("actRunProgram_3GP_TO_AVI",              kMenuVideo,  13,  6),
  Program("actRunProgram_WEBM_TO_AVI",             kMenuVideo,  26, 24),
  Program("actRunProgram_VIDEO_TO_MP4",            kMenuVideo,  27, 19),
  Program("actRunProgram_AVI_TO_MP4",              kMenuVideo,  35, 11),
  Program("actRunProgram_MKV_TO_MP4",              kMenuVideo,  36, 17),
  Program("actRunProgram_VIDEO_TO_FLV",            kMenuVideo,  16, 23),
  Program("actRunProgram_VIDEO_TO_3GP",            kMenuVideo,  17, 23),
  Program("actRunProgram_VIDEO_TO_WEBM",           kMenuVideo,  28, 24),
  Program("actRunProgram_VIDEO_TO_OGV",            kMenuVideo,  29, 21),
  Program("actRunProgram_PORTABLE_ZUNE",           kMenuVideo,  19, -1),
  Program("actRunProgram_PORTABLE_IPOD",           kMenuVideo,  18, -1),
  Program("actRunProgram_PORTABLE_PSP",            kMenuVideo,  20, -1),
  Program("actRunProgram_AUDIO_EXTRACTOR",         kMenuAudio,  21,  8, Alt('1'), "Audio Converter && Extractor"),
  Program("actRunProgram_M4A_TO_MP3",              kMenuAudio,  31, 20, scNone, "M4A, AAC -> MP3 / WAV"),
  Program("actRunProgram_FLAC_TO_MP3",             kMenuAudio,  30, 12, scNone, "FLAC -> MP3 / WAV"),
  Program("actRunProgram_APE_TO_MP3",              kMenuAudio,  37,  7, scNone, "APE -> MP3 / WAV"),
  Program("actRunProgram_WMA_TO_MP3",              kMenuAudio,  38, 26),
  Program("actRunProgram_LAME_FRONTEND",           kMenuAudio,   9, 15),
  Program("actRunProgram_MP4_TO_MP3",              kMenuAudio,  31, 20, scNone, "MP4, M4V - > MP3 / WAV"),
  Program("actRunProgram_FLV_TO_MP3",              kMenuAudio,  32, 14),
  Program("actRunProgram_AVI_TO_MP3",              kMenuAudio,  33, 10),
  Program("actRunProgram_WEBM_TO_MP3",             kMenuAudio,  34, 25),
  Program("actRunProgram_FLAC_CUE",                kMenuAudio,  30, 12, scNone, "FLAC CUE Splitter"),
  Program("actRunProgram_APE_CUE",                 kMenuAudio,  37,  7, scNone, "APE CUE Splitter"),

  // Other(name, image, shortcut, caption, hint, handler)
  Other("actButton_RunProgram",                    27, scNone,           "Run program", nullptr, mahButtonRunProgram),
  Other("actButton_OpenProgramFolder",             28, scNone,           "Open program folder", nullptr, mahButtonOpenProgramFolder),
  Other("actButton_HomePage",                      29, scNone,           kHomePageCaption, nullptr, mahButtonHomePage),
  Other("actDisplayAllCategories",                 -1, scAlt | VK_HOME,  "Categories", "Show categories", mahDisplayAllCategories),
  Other("actCtrlHome",                             -1, scCtrl | VK_HOME, "", nullptr, mahDisplayAllCategories),
  Other("actEsc",                                  -1, VK_ESCAPE,        "", nullptr, mahEsc),
}};
// clang-format on

constexpr std::array<const char*, 30> kVideoMenu = {
    "actShowCategory_VIDEO_AVI",
    "actRunProgram_MP4_to_AVI",
    "actRunProgram_MKV_TO_AVI",
    "actRunProgram_FLV_TO_AVI",
    "actRunProgram_MOV_TO_AVI",
    "actRunProgram_3GP_TO_AVI",
    "actRunProgram_WEBM_TO_AVI",
    "-",
    "actShowCategory_VIDEO_MP4",
    "actRunProgram_VIDEO_TO_MP4",
    "actRunProgram_AVI_TO_MP4",
    "actRunProgram_MKV_TO_MP4",
    "-",
    "actShowCategory_VIDEO_FLASH",
    "actRunProgram_VIDEO_TO_FLV",
    "actRunProgram_FLV_TO_AVI",
    "-",
    "actShowCategory_VIDEO_3GP",
    "actRunProgram_VIDEO_TO_3GP",
    "actRunProgram_3GP_TO_AVI",
    "-",
    "actShowCategory_VIDEO_HTML5",
    "actRunProgram_VIDEO_TO_WEBM",
    "actRunProgram_VIDEO_TO_OGV",
    "actRunProgram_VIDEO_TO_MP4",
    "-",
    "actShowCategory_VIDEO_PORTABLE",
    "actRunProgram_PORTABLE_ZUNE",
    "actRunProgram_PORTABLE_IPOD",
    "actRunProgram_PORTABLE_PSP",
};

constexpr std::array<const char*, 18> kAudioMenu = {
    "actRunProgram_AUDIO_EXTRACTOR",
    "-",
    "actShowCategory_AUDIO_AUDIO_TO_MP3",
    "actRunProgram_M4A_TO_MP3",
    "actRunProgram_FLAC_TO_MP3",
    "actRunProgram_APE_TO_MP3",
    "actRunProgram_WMA_TO_MP3",
    "actRunProgram_LAME_FRONTEND",
    "-",
    "actShowCategory_AUDIO_VIDEO_TO_MP3",
    "actRunProgram_MP4_TO_MP3",
    "actRunProgram_FLV_TO_MP3",
    "actRunProgram_AVI_TO_MP3",
    "actRunProgram_WEBM_TO_MP3",
    "-",
    "actShowCategory_AUDIO_CUE",
    "actRunProgram_FLAC_CUE",
    "actRunProgram_APE_CUE",
};

constexpr std::array<const char*, 4> kButtonMenu = {
    "actButton_RunProgram", "-", "actButton_OpenProgramFolder", "actButton_HomePage"};

}  // namespace

std::span<const TMainActionRow> MainActionRows() { return kRows; }

const TMainActionRow* FindMainActionRow(const char* name) {
  for (const TMainActionRow& row : kRows)
    if (std::strcmp(row.Name, name) == 0) return &row;
  return nullptr;
}

QString InitialCaption(const TMainActionRow& row) {
  switch (row.Kind) {
    case makGroup:
      return QString::fromUtf8(kCategoryPrefix) + GetGroupTitle(row.Tag);
    case makProgram:
      return row.FixedCaption != nullptr ? QString::fromUtf8(row.FixedCaption)
                                         : GetProgramDisplayName(row.Tag);
    case makOther:
      break;
  }
  return QString::fromUtf8(row.FixedCaption);
}

std::span<const char* const> VideoMenuEntries() { return kVideoMenu; }
std::span<const char* const> AudioMenuEntries() { return kAudioMenu; }
std::span<const char* const> ButtonMenuEntries() { return kButtonMenu; }

}  // namespace mirto
