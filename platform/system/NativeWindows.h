#pragma once

// The system's own declarations for the few sources that call it, on Windows
// only; no header of the platform includes this one.
//
// The platform declares the system's constant names it uses (DT_CENTER,
// VK_RETURN, SW_SHOWNORMAL, RGB, ...) itself, as typed constants and
// functions with the system's values, so that code above it reads the same
// on every system. The system defines the same names as macros; they are
// dropped here, so the platform's declarations hold in every source whatever
// the order of its includes.

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first
#include <shellapi.h>

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue

#undef DT_TOP
#undef DT_LEFT
#undef DT_CENTER
#undef DT_RIGHT
#undef DT_VCENTER
#undef DT_BOTTOM
#undef DT_WORDBREAK
#undef DT_SINGLELINE
#undef DT_EXPANDTABS
#undef DT_NOCLIP
#undef DT_CALCRECT
#undef DT_NOPREFIX
#undef DT_RTLREADING

#undef VK_BACK
#undef VK_TAB
#undef VK_RETURN
#undef VK_SHIFT
#undef VK_CONTROL
#undef VK_MENU
#undef VK_ESCAPE
#undef VK_SPACE
#undef VK_PRIOR
#undef VK_NEXT
#undef VK_END
#undef VK_HOME
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_INSERT
#undef VK_DELETE
#undef VK_APPS
#undef VK_NUMPAD0
#undef VK_F1
#undef VK_F10
#undef VK_F12

#undef WM_SYSCOMMAND
#undef SC_MOVE
#undef SC_MINIMIZE
#undef SC_MAXIMIZE
#undef SC_CLOSE
#undef SC_RESTORE
#undef HTCAPTION

#undef SW_HIDE
#undef SW_SHOWNORMAL
#undef SW_SHOWMINIMIZED
#undef SW_SHOWMAXIMIZED
#undef SW_SHOWNOACTIVATE
#undef SW_SHOW
#undef SW_MINIMIZE
#undef SW_SHOWMINNOACTIVE
#undef SW_SHOWNA
#undef SW_RESTORE
#undef SW_SHOWDEFAULT
#undef SE_ERR_FNF
#undef SE_ERR_PNF
#undef SE_ERR_NOASSOC

#undef INVALID_FILE_ATTRIBUTES
#undef FILE_ATTRIBUTE_READONLY
#undef FILE_ATTRIBUTE_HIDDEN
#undef FILE_ATTRIBUTE_DIRECTORY
#undef FILE_ATTRIBUTE_NORMAL
#endif
