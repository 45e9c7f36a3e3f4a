#pragma once

// The pen draws lines and the outlines of shapes.

#include <tuple>

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;

// Raster operation combining the pen colour P with the destination D.
enum class TPenMode {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};
using enum TPenMode;

class TPen : public TNotifyingPersistent {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value) { Change(color_, value); }
  // Width in pixels; values below 1 draw as 1 (a cosmetic pen).
  int Width() const { return width_; }
  void SetWidth(int value) { Change(width_, value); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value) { Change(style_, value); }
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value) { Change(mode_, value); }

  // Copies colour, width, style and mode of another pen.
  void Assign(const TPersistent* source) override;

 private:
  auto Fields() { return std::tie(color_, width_, style_, mode_); }
  auto Fields() const { return std::tie(color_, width_, style_, mode_); }

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

}  // namespace mirto
