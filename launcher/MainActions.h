#pragma once

// The main window's actions and menus as data: every action with its
// category, tag (group or program ID), image, shortcut and caption rule, and
// the entry order of the three popup menus. The window builds its action
// list and menus from these tables; InitialCaption is what InitMenus gives
// each action.

#include <QString>
#include <span>

#include "platform/toolkit/ShortCut.h"

namespace mirto {

enum class TMainActionKind {
  makGroup,    // shows a group (actDisplayGroupExecute)
  makProgram,  // runs a program (actRunProgramExecute)
  makOther,    // a handler of its own
};
using enum TMainActionKind;

// The window's handler an action runs; every row names its own.
enum class TMainActionHandler {
  mahDisplayGroup,             // actDisplayGroupExecute
  mahRunProgram,               // actRunProgramExecute
  mahButtonRunProgram,         // actButton_RunProgramExecute
  mahButtonOpenProgramFolder,  // actButton_OpenProgramFolderExecute
  mahButtonHomePage,           // actButton_HomePageExecute
  mahDisplayAllCategories,     // actDisplayAllCategoriesExecute
  mahEsc,                      // actEscExecute
};
using enum TMainActionHandler;

struct TMainActionRow {
  const char* Name;
  TMainActionKind Kind;
  const char* Category;  // "MENU_VIDEO", "MENU_AUDIO" or empty
  int Tag;               // group ID, program ID or 0
  int ImageIndex;        // into the main image list; -1 for none
  TShortCut ShortCut;
  // The caption InitMenus gives the action; null for a group action (the
  // group's title) or a program action that shows its program's name.
  const char* FixedCaption;
  const char* Hint;
  TMainActionHandler Handler;
};

inline constexpr const char* kCategoryPrefix = "CATEGORY:   ";
inline constexpr const char* kMenuVideo = "MENU_VIDEO";
inline constexpr const char* kMenuAudio = "MENU_AUDIO";

// Group actions, program actions, then the others, in action-list order.
std::span<const TMainActionRow> MainActionRows();
// The row of the action with that name, or null when the table has none.
const TMainActionRow* FindMainActionRow(const char* name);

// The caption InitMenus gives an action: "CATEGORY:   " and the group's
// title for a group action, the fixed caption or the program's display name
// for a program action; other actions keep their captions from the table.
QString InitialCaption(const TMainActionRow& row);

// Menu entries by action name, in menu order; "-" is a separator.
std::span<const char* const> VideoMenuEntries();
std::span<const char* const> AudioMenuEntries();
std::span<const char* const> ButtonMenuEntries();

// Captions of the other actions that the windows change at run time.
inline constexpr const char* kHomePageCaption = "Visit program home page";

}  // namespace mirto
