#pragma once

// Platform-internal: the program's colours, fonts, rectangles and raster
// modes as Qt's painting classes take them. Only platform .cpp files include
// this header.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "platform/drawing/Font.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Types.h"

namespace mirto {

// 0xRRGGBB of a colour (system colours resolved), or nothing for clNone and
// clDefault.
std::optional<std::uint32_t> Rgb(TColor color);
// 0xRRGGBB as a fully opaque QColor.
QColor OpaqueColor(std::uint32_t rgb);
// Resolves system colours; clNone gives an invalid QColor.
QColor ToQColor(TColor color);
// Pixel size from the height (points at 96 dpi), styles, pitch and quality;
// no kerning, so text measures the same as the layout rules expect.
QFont ToQFont(const TFont& font);
// How the painter combines a pen of this mode with the target; nothing for
// pmNop. pmBlack and pmWhite draw in their colour (see the canvas).
std::optional<QPainter::CompositionMode> CompositionFor(TPenMode mode);

// The same pixels as a QRect (built from its corners, so no width is
// computed that could overflow).
inline QRect ToQRect(const TRect& r) {
  return QRect(QPoint(r.Left, r.Top),
               QPoint(static_cast<int>(std::max<long long>(1LL * r.Right - 1, INT_MIN)),
                      static_cast<int>(std::max<long long>(1LL * r.Bottom - 1, INT_MIN))));
}

}  // namespace mirto
