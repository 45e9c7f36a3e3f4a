#include <QFontMetricsF>
#include <algorithm>

#include "platform/drawing/FontSubstitution.h"
#include "platform/drawing/QtConversions_p.h"

namespace mirto {

std::optional<std::uint32_t> Rgb(TColor color) {
  if (color == clNone || color == clDefault) return std::nullopt;
  const auto c = static_cast<std::uint32_t>(ColorToRGB(color));
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

QColor OpaqueColor(std::uint32_t rgb) { return QColor::fromRgb(0xFF000000u | rgb); }

QColor ToQColor(TColor color) {
  const auto rgb = Rgb(color);
  return rgb ? OpaqueColor(*rgb) : QColor();
}

QFont ToQFont(const TFont& font) {
  const QString family = InstalledFontFamily(font.Name());
  QFont f(family);
  int pixels = 11;
  if (font.Height() < 0) {
    pixels = -static_cast<long long>(font.Height()) > 4096 ? 4096 : -font.Height();
  } else if (font.Height() > 0) {
    // A positive height is the whole cell; find the em size giving that cell.
    QFont probe(family);
    probe.setPixelSize(100);
    const QFontMetricsF m(probe);
    const double cell = m.ascent() + m.descent();
    pixels = cell > 0 ? Round(std::min(font.Height(), 4096) * 100.0 / cell) : font.Height();
  }
  f.setPixelSize(std::max(1, pixels));
  f.setBold(font.Style().Contains(fsBold));
  f.setItalic(font.Style().Contains(fsItalic));
  f.setUnderline(font.Style().Contains(fsUnderline));
  f.setStrikeOut(font.Style().Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) {
    f.setFixedPitch(true);
    f.setStyleHint(QFont::Monospace);
  }
  switch (font.Quality()) {
    case fqNonAntialiased:
      f.setStyleStrategy(QFont::NoAntialias);
      break;
    case fqAntialiased:
      f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
      break;
    case fqClearType:
      f.setStyleStrategy(QFont::PreferAntialias);
      break;
    case fqDefault:
      break;
  }
  f.setKerning(false);
  return f;
}

std::optional<QPainter::CompositionMode> CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmNop:
      return std::nullopt;
    case pmBlack:
    case pmWhite:
    case pmCopy:
      return QPainter::CompositionMode_SourceOver;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
      return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
      return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
      return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
      return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
  }
  return QPainter::CompositionMode_SourceOver;
}

}  // namespace mirto
