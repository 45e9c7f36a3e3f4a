#pragma once

// How a styled popup menu looks: the measures of its entries and the
// drawing of its background, entries and separators in one menu style. The
// open menu paints through these routines; so does the preview, which stacks
// the entries the way the open menu shows them, for pictures and tests.
//
// An entry: its image from the menu's image list centred in the icon bar
// (drawn disabled for a disabled entry), its caption after the icon bar
// ("&&" shows one "&", a single "&" underlines the accelerator), its
// shortcut at the right. A separator is one line in the separator colour
// from right of the icon bar to the entry's right end.

#include "components/KvoMenuStyle.h"
#include "platform/drawing/Types.h"
#include "platform/toolkit/Menus.h"

namespace mirto {

class TCanvas;
class TFont;

class TKvoMenuPainter {
 public:
  // Room between the parts of an entry.
  static constexpr int kCaptionIndent = 8;  // icon bar to caption
  static constexpr int kShortCutGap = 24;   // caption to shortcut
  static constexpr int kRightMargin = 16;   // last text to the right end
  static constexpr int kTextPadding = 4;    // above and below the caption
  static constexpr int kImagePadding = 3;   // above and below the image
  static constexpr int kSeparatorHeight = 7;
  static constexpr int kSeparatorIndent = 4;  // icon bar to separator line
  static constexpr int kBorderWidth = 1;

  explicit TKvoMenuPainter(const TKvoMenuStyle& style) : style_(style) {}

  const TKvoMenuStyle& Style() const { return style_; }

  // Width and height the entry needs so that its caption and shortcut fit
  // in either font with the margins. canvas only measures.
  TSize MeasureItem(TCanvas& canvas, const TMenuItem& item) const;
  // The whole menu's background in rect: the gradient, the icon bar inside
  // the border, the border.
  void DrawBackground(TCanvas& canvas, const TRect& rect) const;
  // One entry into rect (the icon bar starting at rect.Left), over the
  // background.
  void DrawItem(TCanvas& canvas, const TMenuItem& item, const TRect& rect,
                TOwnerDrawState state) const;

  // The visible entries of menu stacked below each other with their top-left
  // corner at origin, the entry with index selected drawn selected (none
  // for -1). Returns the size of the menu.
  TSize PaintPreview(TCanvas& canvas, TPoint origin, const TPopupMenu& menu, int selected) const;

 private:
  void SetFont(TFont& font, const TKvoMenuFont& from) const;

  TKvoMenuStyle style_;
};

}  // namespace mirto
