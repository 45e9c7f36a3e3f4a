#include "launcher/MainActions.h"

#include <array>
#include <cstring>

#include "catalog/MirtoProcs.h"

namespace mirto {

namespace {

constexpr TShortCut Ctrl(char key) { return scCtrl | static_cast<TShortCut>(key); }
constexpr TShortCut Alt(char key) { return scAlt | static_cast<TShortCut>(key); }

// clang-format off
constexpr std::array<TMainActionRow, 43> kRows = {{
  // name                                  kind        category    tag  image shortcut  fixed caption / hint / handler
  {"actShowCategory_VIDEO_AVI",            makGroup,   kMenuVideo,  10, -1, Ctrl('1'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_VIDEO_MP4",            makGroup,   kMenuVideo,  20, -1, Ctrl('2'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_VIDEO_FLASH",          makGroup,   kMenuVideo,  30, -1, Ctrl('3'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_VIDEO_3GP",            makGroup,   kMenuVideo,  40, -1, Ctrl('4'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_VIDEO_HTML5",          makGroup,   kMenuVideo,  50, -1, Ctrl('5'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_VIDEO_PORTABLE",       makGroup,   kMenuVideo,  60, -1, Ctrl('6'), nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_AUDIO_AUDIO_TO_MP3",   makGroup,   kMenuAudio, 110, -1, Alt('2'),  nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_AUDIO_VIDEO_TO_MP3",   makGroup,   kMenuAudio, 120, -1, Alt('3'),  nullptr, nullptr, mahDisplayGroup},
  {"actShowCategory_AUDIO_CUE",            makGroup,   kMenuAudio, 130, -1, Alt('4'),  nullptr, nullptr, mahDisplayGroup},

  {"actRunProgram_MP4_to_AVI",             makProgram, kMenuVideo,  14, 19, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_MKV_TO_AVI",             makProgram, kMenuVideo,  25, 16, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_FLV_TO_AVI",             makProgram, kMenuVideo,  12, 13, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_MOV_TO_AVI",             makProgram, kMenuVideo,  15, 18, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_3GP_TO_AVI",             makProgram, kMenuVideo,  13,  6, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_WEBM_TO_AVI",            makProgram, kMenuVideo,  26, 24, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_VIDEO_TO_MP4",           makProgram, kMenuVideo,  27, 19, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_AVI_TO_MP4",             makProgram, kMenuVideo,  35, 11, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_MKV_TO_MP4",             makProgram, kMenuVideo,  36, 17, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_VIDEO_TO_FLV",           makProgram, kMenuVideo,  16, 23, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_VIDEO_TO_3GP",           makProgram, kMenuVideo,  17, 23, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_VIDEO_TO_WEBM",          makProgram, kMenuVideo,  28, 24, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_VIDEO_TO_OGV",           makProgram, kMenuVideo,  29, 21, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_PORTABLE_ZUNE",          makProgram, kMenuVideo,  19, -1, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_PORTABLE_IPOD",          makProgram, kMenuVideo,  18, -1, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_PORTABLE_PSP",           makProgram, kMenuVideo,  20, -1, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_AUDIO_EXTRACTOR",        makProgram, kMenuAudio,  21,  8, Alt('1'),  "Audio Converter && Extractor", nullptr, mahRunProgram},
  {"actRunProgram_M4A_TO_MP3",             makProgram, kMenuAudio,  31, 20, scNone,    "M4A, AAC -> MP3 / WAV", nullptr, mahRunProgram},
  {"actRunProgram_FLAC_TO_MP3",            makProgram, kMenuAudio,  30, 12, scNone,    "FLAC -> MP3 / WAV", nullptr, mahRunProgram},
  {"actRunProgram_APE_TO_MP3",             makProgram, kMenuAudio,  37,  7, scNone,    "APE -> MP3 / WAV", nullptr, mahRunProgram},
  {"actRunProgram_WMA_TO_MP3",             makProgram, kMenuAudio,  38, 26, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_LAME_FRONTEND",          makProgram, kMenuAudio,   9, 15, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_MP4_TO_MP3",             makProgram, kMenuAudio,  31, 20, scNone,    "MP4, M4V - > MP3 / WAV", nullptr, mahRunProgram},
  {"actRunProgram_FLV_TO_MP3",             makProgram, kMenuAudio,  32, 14, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_AVI_TO_MP3",             makProgram, kMenuAudio,  33, 10, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_WEBM_TO_MP3",            makProgram, kMenuAudio,  34, 25, scNone,    nullptr, nullptr, mahRunProgram},
  {"actRunProgram_FLAC_CUE",               makProgram, kMenuAudio,  30, 12, scNone,    "FLAC CUE Splitter", nullptr, mahRunProgram},
  {"actRunProgram_APE_CUE",                makProgram, kMenuAudio,  37,  7, scNone,    "APE CUE Splitter", nullptr, mahRunProgram},

  {"actButton_RunProgram",                 makOther,   "",           0, 27, scNone,    "Run program", nullptr, mahButtonRunProgram},
  {"actButton_OpenProgramFolder",          makOther,   "",           0, 28, scNone,    "Open program folder", nullptr, mahButtonOpenProgramFolder},
  {"actButton_HomePage",                   makOther,   "",           0, 29, scNone,    kHomePageCaption, nullptr, mahButtonHomePage},
  {"actDisplayAllCategories",              makOther,   "",           0, -1, scAlt | VK_HOME,  "Categories", "Show categories", mahDisplayAllCategories},
  {"actCtrlHome",                          makOther,   "",           0, -1, scCtrl | VK_HOME, "", nullptr, mahDisplayAllCategories},
  {"actEsc",                               makOther,   "",           0, -1, VK_ESCAPE,        "", nullptr, mahEsc},
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
