#pragma once

// On Windows, the system's own declarations, without its min and max macros
// and its rarely used parts; nothing elsewhere.

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
