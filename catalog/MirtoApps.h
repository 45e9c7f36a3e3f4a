#pragma once

// The launcher's catalog: every program of the collection, the groups that
// arrange them for display, the category buttons that lead to the groups and
// the launcher's own paths. Filled once by InitCatalog before any window
// exists and read-only afterwards; everything is found by numeric ID.

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/drawing/Types.h"

namespace mirto {

enum class TMainCategory : std::uint8_t { mcVideo, mcAudio };
using enum TMainCategory;

// One state of a catalog button's font.
struct TFontParams {
  int Size = 0;
  TColor Color = clBlack;
  TFontStyles Style;
  friend bool operator==(const TFontParams&, const TFontParams&) = default;
};

// Size and look of one catalog button; the fields map onto the button's
// properties of the same names.
struct TButtonParams {
  int Width = 0;
  int Height = 0;
  TColor ColorBg = clBlack;
  TColor ColorBgGradientStart = clBlack;
  TColor ColorDown = clBlack;
  TColor ColorDownGradientStart = clBlack;
  TColor ColorOver = clBlack;
  TColor ColorOverGradientStart = clBlack;
  TColor ColorBorder = clBlack;
  TColor ColorBorderDown = clBlack;
  TColor ColorBorderOver = clBlack;
  TFontParams Font;
  TFontParams FontDown;
  TFontParams FontFocus;
  TFontParams FontOver;
  friend bool operator==(const TButtonParams&, const TButtonParams&) = default;
};

struct TProgramInfo {
  int ID = 0;
  QString ProgramName;
  QString Version;
  QString Date;  // day.month.year
  QString DisplayName;
  QString Info;
  QString Url;
  QString Dir;  // no trailing path delimiter
  QString ExeFile;
  TButtonParams Button;
};

struct TCategoryInfo {
  int ID = 0;  // the ID of the group the button opens
  TMainCategory MainCategory = mcVideo;
  QString Title;
  QString Description;
  TButtonParams Button;
};

struct TProgramGroup {
  int ID = 0;
  TMainCategory Category = mcVideo;
  QString Title;
  QString Description;
  std::vector<int> IDs;  // programs in display order
};

struct TAppParams {
  QString MyDir;    // the launcher's folder, no trailing path delimiter
  QString IniName;  // derived only; no such file is ever read or written
  QString AppsDir;  // the folder below which every program's folder lies
};

// The tables in order of addition; look-ups return the first match.
extern const std::vector<TProgramInfo>& Programs;
extern const std::vector<TProgramGroup>& Groups;
extern const std::vector<TCategoryInfo>& Categories;
extern const TAppParams& AppParams;

// Caption colours of the standard button fonts.
inline constexpr TColor ButtonFontColor = 0x00F2F2F2;
inline constexpr TColor ButtonFontColorOver = 0x00FFFFFF;
inline constexpr TColor ButtonFontColorDown = 0x00FFFFFF;
inline constexpr TColor ButtonFontColorFocus = 0x00F2F2F2;

// Program IDs in the order the about window lists them: newest release first.
extern const std::vector<int> AboutProgramOrder;

// Derives the paths from the running executable, then fills the tables.
void InitCatalog();
// The same for a launcher at exeFileName.
void InitCatalog(const QString& exeFileName);
// Releases the paths and empties the tables.
void FinalizeCatalog();

void FillPrograms();  // needs AppParams.AppsDir
void FillGroups();
void FillCategories();

// Appends a program. The button is kept except that its down colour becomes
// ColorBg and its borders follow the fills: ColorBorder = ColorBg,
// ColorBorderDown = the given ColorDown, ColorBorderOver = ColorOver.
void AddProgram(int ID, const QString& ProgramName, const QString& Version, const QString& Date,
                const QString& DisplayName, const QString& Info, const QString& Url,
                const QString& Dir, const QString& ExeFile, const TButtonParams& Button);

// Appends a category button, every field as given.
void AddCategory(int ID, TMainCategory MainCategory, const QString& Title,
                 const QString& Description, const TButtonParams& Button);

// Index of the first record with the ID, or -1.
int IndexOfProgram(int ID);
int IndexOfGroup(int ID);

}  // namespace mirto
