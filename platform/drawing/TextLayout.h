#pragma once

// Text formatting rules of DrawText that do not depend on painting:
// accelerator prefixes and the split of a text into lines.

#include <QString>
#include <functional>
#include <vector>

namespace mirto {

// Flags of DrawText.
using TTextFormat = unsigned int;
constexpr TTextFormat DT_TOP = 0x0;
constexpr TTextFormat DT_LEFT = 0x0;
constexpr TTextFormat DT_CENTER = 0x1;
constexpr TTextFormat DT_RIGHT = 0x2;
constexpr TTextFormat DT_VCENTER = 0x4;  // single line only
constexpr TTextFormat DT_BOTTOM = 0x8;   // single line only
constexpr TTextFormat DT_WORDBREAK = 0x10;
constexpr TTextFormat DT_SINGLELINE = 0x20;
constexpr TTextFormat DT_EXPANDTABS = 0x40;
constexpr TTextFormat DT_NOCLIP = 0x100;
constexpr TTextFormat DT_CALCRECT = 0x400;
constexpr TTextFormat DT_NOPREFIX = 0x800;
constexpr TTextFormat DT_RTLREADING = 0x20000;

// A caption with its accelerator marks resolved: "&&" becomes "&", a single
// "&" is dropped and the character after it is underlined (the first such
// character only; a trailing "&" is dropped).
struct TAcceleratedText {
  QString Text;
  int Underline = -1;  // index into Text, -1 for none
};
TAcceleratedText StripAccelerators(const QString& caption);

struct TTextLine {
  QString Text;
  int Underline = -1;  // index into Text, -1 for none
};

// Splits text (accelerators already resolved, `underline` an index into it)
// into the lines DrawText shows: one line with DT_SINGLELINE; otherwise one
// per line feed (carriage returns dropped) and, with DT_WORDBREAK, further
// breaks at spaces so that lines fit maxWidth as measured by `measure`. A
// word wider than maxWidth stays whole on a line of its own. Spaces at a
// break are dropped.
std::vector<TTextLine> LayoutTextLines(const QString& text, int underline, TTextFormat flags,
                                       int maxWidth,
                                       const std::function<int(const QString&)>& measure);

}  // namespace mirto
