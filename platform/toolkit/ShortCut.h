#pragma once

// Keyboard shortcuts as the actions and menus store them: a virtual-key code
// in the low byte and modifier bits above it. ShortCut(Ord('3'), {ssCtrl})
// is Ctrl+3; ShortCut(VK_HOME, {ssAlt}) is Alt+Home.

#include <QString>
#include <cstdint>

#include "platform/drawing/Types.h"

namespace mirto {

using TShortCut = std::uint16_t;

constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scModifiers = scShift | scCtrl | scAlt;

// Virtual-key codes of the keys the program binds or names. Letters and
// digits are their upper-case character codes ('A' = 0x41, '0' = 0x30).
constexpr std::uint16_t VK_BACK = 0x08;
constexpr std::uint16_t VK_TAB = 0x09;
constexpr std::uint16_t VK_RETURN = 0x0D;
constexpr std::uint16_t VK_SHIFT = 0x10;
constexpr std::uint16_t VK_CONTROL = 0x11;
constexpr std::uint16_t VK_MENU = 0x12;
constexpr std::uint16_t VK_ESCAPE = 0x1B;
constexpr std::uint16_t VK_SPACE = 0x20;
constexpr std::uint16_t VK_PRIOR = 0x21;
constexpr std::uint16_t VK_NEXT = 0x22;
constexpr std::uint16_t VK_END = 0x23;
constexpr std::uint16_t VK_HOME = 0x24;
constexpr std::uint16_t VK_LEFT = 0x25;
constexpr std::uint16_t VK_UP = 0x26;
constexpr std::uint16_t VK_RIGHT = 0x27;
constexpr std::uint16_t VK_DOWN = 0x28;
constexpr std::uint16_t VK_INSERT = 0x2D;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_APPS = 0x5D;  // the context-menu key
constexpr std::uint16_t VK_NUMPAD0 = 0x60;
constexpr std::uint16_t VK_F1 = 0x70;
constexpr std::uint16_t VK_F10 = 0x79;
constexpr std::uint16_t VK_F12 = 0x7B;

// Combines a virtual-key code with the Shift, Ctrl and Alt members of shift.
// Keys above 0xFF do not fit and give scNone.
TShortCut ShortCut(std::uint16_t key, TShiftState shift);

// Splits a shortcut into its key and its Shift/Ctrl/Alt state.
void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift);

// "Ctrl+3", "Alt+Home", "Esc", "Shift+Ctrl+F5"; "" for scNone or a key
// without a name.
QString ShortCutToText(TShortCut shortCut);

// Reads the notation ShortCutToText writes; modifier and key names are matched
// ignoring case and surrounding blanks. Text that names no known key gives
// scNone.
TShortCut TextToShortCut(const QString& text);

}  // namespace mirto
