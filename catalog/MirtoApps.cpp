#include "catalog/MirtoApps.h"

#include <algorithm>
#include <initializer_list>

#include "catalog/CatalogState_p.h"
#include "catalog/InstallationData.h"
#include "catalog/MirtoProcs.h"
#include "graphics/ColorHelpers.h"
#include "platform/system/FileSystem.h"

namespace mirto {

namespace catalog_state {
std::vector<TProgramInfo> ProgramTable;
std::vector<TProgramGroup> GroupTable;
std::vector<TCategoryInfo> CategoryTable;
TAppParams Paths;
}  // namespace catalog_state

const std::vector<TProgramInfo>& Programs = catalog_state::ProgramTable;
const std::vector<TProgramGroup>& Groups = catalog_state::GroupTable;
const std::vector<TCategoryInfo>& Categories = catalog_state::CategoryTable;
const TAppParams& AppParams = catalog_state::Paths;

const std::vector<int> AboutProgramOrder = {21, 25, 34, 29, 33, 14, 32, 27, 13, 36, 26, 35, 31,
                                            12, 15, 38, 28, 30, 37, 9,  17, 19, 16, 18, 20};

namespace {

constexpr int kButtonHeight = 33;
constexpr int kFontSize = 11;

// The fills of one button look. The down and over gradients start at the
// down and over colours brightened by their percentage, unless a fixed over
// start is given.
struct TPalette {
  TColor Bg;
  TColor BgGradientStart;
  TColor Down;
  int DownPercent;
  TColor Over;
  int OverPercent;
  TColor FixedOverGradientStart = clNone;
};

// clang-format off
constexpr TPalette Plum     {0x008D4B70, 0x00CBB4B8, 0x008D4B70, 50, 0x00AD678D,  70};
constexpr TPalette Orchid   {0x008D4B70, 0x00CBB4B8, 0x00AD678D, 50, 0x00AD678D,  70};
constexpr TPalette Sage     {0x00528F5B, 0x00A8C6B3, 0x006B9A84, 30, 0x0073AE7A,  50};
constexpr TPalette Graphite {0x00585858, 0x00A3A4A5, 0x00575757, 80, 0x00787878, 100};
constexpr TPalette Azure    {0x00C78C29, 0x00ECA677, 0x00D78655, 30, 0x00D9A348,  50};
constexpr TPalette Amber    {0x0011ADDB, 0x004ECCF1, 0x0012B7E7,  7, 0x001FBEED,  30};
constexpr TPalette Green    {0x0043AD4E, 0x0082CC95, 0x005CBE66, 20, 0x005CBE66,  20};
constexpr TPalette Teal     {0x00BBBB00, 0x00DDD364, 0x00CCCC00, 20, 0x00CCCC00,  20};
constexpr TPalette Slate    {0x009C695C, 0x00A7796D, 0x009D6A5E, 50, 0x00AB7E74,  40};
constexpr TPalette Charcoal {0x002E2E2E, 0x00A3A4A5, 0x00575757, 80, 0x00575757, 100};
constexpr TPalette Leaf     {0x00368D3A, 0x0067C56B, 0x003C9D41, 30, 0x0040A845,  40};
constexpr TPalette Silver   {0x00B8C4C5, 0x00EFF1F1, 0x00D7DFDF, 35, 0x00CED6D7,  35};
constexpr TPalette Bronze   {0x005088A3, 0x0097BBCC, 0x00457894, 35, 0x0071A2B9,  35};
constexpr TPalette Red      {0x001616DE, 0x005050ED, 0x002D2DF7, 35, 0x003434EB,   0, 0x006060F9};

// Category buttons press down into their own background colour.
constexpr TPalette CategoryGraphite {0x00585858, 0x00A3A4A5, 0x00575757, 80, 0x00787878, 100};
constexpr TPalette CategoryPlum     {0x008D4B70, 0x00CBB4B8, 0x008D4B70, 50, 0x00AD678D,  70};
constexpr TPalette CategorySage     {0x00528F5B, 0x00A8C6B3, 0x00528F5B, 30, 0x0073AE7A,  50};
constexpr TPalette CategoryGreen    {0x0043AD4E, 0x0082CC95, 0x0043AD4E, 20, 0x005CBE66,  20};
constexpr TPalette CategoryGrey     {0x00585858, 0x00A3A4A5, 0x00585858, 80, 0x00787878, 100};
constexpr TPalette CategoryBronze   {0x005088A3, 0x0097BBCC, 0x005088A3, 35, 0x0071A2B9,  35};
// clang-format on

struct TFontColors {
  TColor Normal;
  TColor Over;
  TColor Down;
  TColor Focus;
};

constexpr TFontColors StandardFonts{ButtonFontColor, ButtonFontColorOver, ButtonFontColorDown,
                                    ButtonFontColorFocus};
constexpr TFontColors BlackFonts{clBlack, clBlack, clBlack, clBlack};
constexpr TFontColors WhiteFonts{clWhite, clWhite, clWhite, clWhite};

TButtonParams MakeButton(int width, const TPalette& palette, const TFontColors& fonts) {
  TButtonParams b;
  b.Width = width;
  b.Height = kButtonHeight;
  b.ColorBg = palette.Bg;
  b.ColorBgGradientStart = palette.BgGradientStart;
  b.ColorDown = palette.Down;
  b.ColorDownGradientStart = ShiftColorPercent(palette.Down, palette.DownPercent, true);
  b.ColorOver = palette.Over;
  b.ColorOverGradientStart = palette.FixedOverGradientStart != clNone
                                 ? palette.FixedOverGradientStart
                                 : ShiftColorPercent(palette.Over, palette.OverPercent, true);
  b.ColorBorder = palette.Bg;
  b.ColorBorderDown = palette.Down;
  b.ColorBorderOver = palette.Over;
  b.Font = {kFontSize, fonts.Normal, {}};
  b.FontDown = {kFontSize, fonts.Down, {}};
  b.FontFocus = {kFontSize, fonts.Focus, {}};
  b.FontOver = {kFontSize, fonts.Over, {}};
  return b;
}

struct TProgramRow {
  int ID;
  const char16_t* DisplayName;
  int Width;
  const TPalette& Palette;
  const TFontColors& Fonts;
};

// clang-format off
const TProgramRow kProgramRows[] = {
  {12, u"FLV -> AVI / MPG",                 200, Plum,     StandardFonts},
  {13, u"3GP -> AVI / MPG",                 200, Sage,     StandardFonts},
  {14, u"MP4 -> AVI / MPG",                 200, Graphite, StandardFonts},
  {15, u"MOV -> AVI / MPG",                 200, Azure,    StandardFonts},
  {16, u"Video -> FLV / SWF",               200, Orchid,   StandardFonts},
  {17, u"Video -> 3GP / 3G2",               200, Sage,     StandardFonts},
  {18, u"iPod Audio/Video Converter",       220, Graphite, StandardFonts},
  {19, u"Zune Audio/Video Converter",       220, Graphite, StandardFonts},
  {20, u"PSP Audio/Video Converter",        220, Graphite, StandardFonts},
  {25, u"MKV -> AVI / MPG",                 200, Amber,    StandardFonts},
  {26, u"WebM -> AVI / MPG",                200, Green,    StandardFonts},
  {27, u"Video/Audio -> MP4",               200, Graphite, StandardFonts},
  {28, u"Video/Audio -> WebM",              200, Green,    StandardFonts},
  {29, u"Video/Audio -> OGV",               200, Teal,     StandardFonts},
  {35, u"AVI -> MP4",                       200, Graphite, StandardFonts},
  {36, u"MKV -> MP4",                       200, Amber,    StandardFonts},
  { 9, u"LAME Frontend",                    200, Slate,    StandardFonts},
  {21, u"Audio Extractor & Converter",      200, Charcoal, StandardFonts},
  {30, u"FLAC -> MP3 / WAV & CUE Splitter", 260, Leaf,     StandardFonts},
  {31, u"MP4, M4A -> MP3 / WAV",            200, Graphite, StandardFonts},
  {32, u"FLV -> MP3 / WAV",                 200, Orchid,   StandardFonts},
  {33, u"AVI -> MP3 / WAV",                 200, Silver,   BlackFonts},
  {34, u"WebM -> MP3 / WAV",                200, Green,    WhiteFonts},
  {37, u"APE -> MP3 / WAV & CUE Splitter",  260, Bronze,   WhiteFonts},
  {38, u"WMA -> MP3 / WAV",                 200, Red,      WhiteFonts},
};

struct TGroupRow {
  int ID;
  TMainCategory Category;
  const char16_t* Title;
  const char16_t* Description;
  std::initializer_list<int> IDs;
};

const TGroupRow kGroupRows[] = {
  { 10, mcVideo, u"Video -> AVI / MPG", u"Convert video files to AVI or MPG", {14, 25, 12, 15, 13, 26}},
  { 20, mcVideo, u"Video -> MP4", u"Convert video files to MP4", {27, 35, 36}},
  { 30, mcVideo, u"Flash Video Converters",
    u"Convert video and audio files to FLV or SWF. Convert FLV / SWF files to AVI or MPG", {16, 12}},
  { 40, mcVideo, u"3GP Video Converters",
    u"Convert video files to 3GP or 3G2. Convert 3GP / 3G2 files to AVI or MPG", {17, 13}},
  { 50, mcVideo, u"HTML5 Video Converters", u"Convert video and audio files to WebM, OGV or MP4", {28, 29, 27}},
  { 60, mcVideo, u"Portable devices", u"Zune, iPod, PSP video and audio converters", {19, 18, 20}},
  {200, mcAudio, u"Audio && Video -> MP3/AAC/WMA/OGG/M4A/AC3/FLAC/WAV",
    u"Universal audio converter && extractor", {21}},
  {110, mcAudio, u"Audio -> MP3 / WAV", u"Convert audio files to MP3 or WAV", {21, 30, 31, 37, 9, 38}},
  {120, mcAudio, u"Video -> MP3 / WAV", u"Convert video files to MP3 or WAV", {21, 31, 32, 33, 34}},
  {130, mcAudio, u"CUE Sheet Splitters",
    u"Extract audio tracks from CD images based on the CUE sheets", {30, 37}},
};

struct TCategoryRow {
  int ID;
  TMainCategory MainCategory;
  const char16_t* Title;
  const TPalette& Palette;
};

constexpr int kCategoryButtonWidth = 180;

const TCategoryRow kCategoryRows[] = {
  { 10, mcVideo, u"Video -> AVI / MPG",     CategoryGraphite},
  { 20, mcVideo, u"Video -> MP4",           CategoryGraphite},
  { 30, mcVideo, u"Flash Video Converters", CategoryPlum},
  { 40, mcVideo, u"3GP Video Converters",   CategorySage},
  { 50, mcVideo, u"HTML5 Video Converters", CategoryGreen},
  { 60, mcVideo, u"Portable devices",       CategoryGrey},
  {200, mcAudio, u"Audio Converter",        CategoryGrey},
  {110, mcAudio, u"Audio -> MP3 / WAV",     CategoryGrey},
  {120, mcAudio, u"Video -> MP3 / WAV",     CategoryGrey},
  {130, mcAudio, u"CUE Sheet Splitters",    CategoryBronze},
};
// clang-format on

template <typename Record>
int IndexOfID(const std::vector<Record>& table, int ID) {
  const auto found =
      std::find_if(table.begin(), table.end(), [ID](const Record& r) { return r.ID == ID; });
  return found == table.end() ? -1 : static_cast<int>(found - table.begin());
}

}  // namespace

void AddProgram(int ID, const QString& ProgramName, const QString& Version, const QString& Date,
                const QString& DisplayName, const QString& Info, const QString& Url,
                const QString& Dir, const QString& ExeFile, const TButtonParams& Button) {
  TButtonParams stored = Button;
  stored.ColorDown = Button.ColorBg;
  stored.ColorBorder = Button.ColorBg;
  stored.ColorBorderDown = Button.ColorDown;
  stored.ColorBorderOver = Button.ColorOver;
  catalog_state::ProgramTable.push_back(
      {ID, ProgramName, Version, Date, DisplayName, Info, Url, Dir, ExeFile, stored});
}

void AddCategory(int ID, TMainCategory MainCategory, const QString& Title,
                 const QString& Description, const TButtonParams& Button) {
  catalog_state::CategoryTable.push_back({ID, MainCategory, Title, Description, Button});
}

int IndexOfProgram(int ID) { return IndexOfID(Programs, ID); }

int IndexOfGroup(int ID) { return IndexOfID(Groups, ID); }

void FillPrograms() {
  for (const TProgramRow& row : kProgramRows) {
    const TInstallationRecord* installed = FindInstallationRecord(row.ID);
    // Every program of the collection has its installation record; a row
    // without one would be a gap in the data, so it gets empty texts.
    const TInstallationRecord none{row.ID, {}, {}, {}, {}, {}, {}};
    const TInstallationRecord& r = installed != nullptr ? *installed : none;
    AddProgram(row.ID, r.ProgramName.toString(), r.Version.toString(), r.Date.toString(),
               QString::fromUtf16(row.DisplayName), QString(), r.Url.toString(),
               AppParams.AppsDir.isEmpty()
                   ? QString()
                   : AppParams.AppsDir + PathDelim + r.FolderName.toString(),
               GetExeName(row.ID, true), MakeButton(row.Width, row.Palette, row.Fonts));
  }
}

void FillGroups() {
  for (const TGroupRow& row : kGroupRows) {
    TProgramGroup& group = catalog_state::GroupTable.emplace_back();
    group.ID = row.ID;
    group.Category = row.Category;
    group.Title = QString::fromUtf16(row.Title);
    group.Description = QString::fromUtf16(row.Description);
    group.IDs.assign(row.IDs.begin(), row.IDs.end());
  }
}

void FillCategories() {
  for (const TCategoryRow& row : kCategoryRows) {
    AddCategory(row.ID, row.MainCategory, QString::fromUtf16(row.Title), QString(),
                MakeButton(kCategoryButtonWidth, row.Palette, StandardFonts));
  }
}

void InitCatalog() { InitCatalog(ExecutableFileName()); }

void InitCatalog(const QString& exeFileName) {
  // Tables only ever grow, so a second start must not append a second copy.
  FinalizeCatalog();
  InitAppParams(exeFileName);
  FillPrograms();
  FillGroups();
  FillCategories();
}

void FinalizeCatalog() {
  catalog_state::Paths = {};
  catalog_state::ProgramTable.clear();
  catalog_state::GroupTable.clear();
  catalog_state::CategoryTable.clear();
}

}  // namespace mirto
