#pragma once

// The brush fills rectangles and the interiors of shapes.

#include <tuple>

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

enum class TBrushStyle { bsSolid, bsClear };
using enum TBrushStyle;

class TBrush : public TNotifyingPersistent {
 public:
  TColor Color() const { return color_; }
  // Giving a clear brush a colour makes it solid again.
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value) { Change(style_, value); }

  // Copies colour and style of another brush.
  void Assign(const TPersistent* source) override;

 private:
  auto Fields() { return std::tie(color_, style_); }
  auto Fields() const { return std::tie(color_, style_); }

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

}  // namespace mirto
