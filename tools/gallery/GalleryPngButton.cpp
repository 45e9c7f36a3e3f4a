// Gallery section: the PNG button in every predefined colour map, one row per
// map with its five looks (normal, hot, down, focused, disabled), each with
// the caption "Button" and a 16 x 16 glyph.

#include <cmath>

#include "components/KvoPngButton.h"
#include "components/KvoPngButtonColorMaps.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

constexpr int kWidth = 84;
constexpr int kHeight = 24;
constexpr int kNameWidth = 170;

// A blue disc with a white bar and a soft edge, so the glyph effects
// (gamma, greyscale, blend) show.
void MakeGlyph(TPngImage& png) {
  png.CreateBlank(COLOR_RGBALPHA, 16, 16);
  for (int y = 0; y < 16; ++y) {
    std::uint8_t* row = png.ScanLine(y);
    std::uint8_t* alpha = png.AlphaScanline(y);
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      const bool bar = x >= 6 && x <= 9 && y >= 4 && y <= 11;
      row[3 * x] = bar ? 255 : 200;
      row[3 * x + 1] = bar ? 255 : 120;
      row[3 * x + 2] = bar ? 255 : 30;
      alpha[x] = static_cast<std::uint8_t>(d <= 6.5 ? 255 : d <= 7.5 ? 128 : 0);
    }
  }
}

void DrawPngButtons(TSection& section) {
  TPngImage glyph;
  MakeGlyph(glyph);
  TKvoPngButton button;
  button.SetBounds(0, 0, kWidth, kHeight);
  button.SetCaption(QStringLiteral("Button"));
  button.SetPngImage(&glyph);
  const struct {
    const char* name;
    TKvoPngButtonState state;
  } looks[] = {
      {"normal", {}},
      {"hot", {.Over = true}},
      {"down", {.Pressed = true, .Over = true}},
      {"focused", {.HoldsFocus = true}},
      {"disabled", {.Enabled = false}},
  };
  for (int i = 1; i <= kPredefinedColorMapCount; ++i) {
    const auto type = static_cast<TKvoPngButtonColorMapType>(i);
    button.SetColorMapType(type);
    TBitmap& name = section.Add(QString(), kNameWidth, kHeight, clBtnFace);
    name.Canvas().Brush().SetStyle(bsClear);
    TRect nameRect{0, 0, kNameWidth, kHeight};
    name.Canvas().DrawText(QString::fromLatin1(ColorMapTypeName(type)), nameRect,
                           DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    for (const auto& look : looks) {
      TBitmap& picture = section.Add(QString::fromLatin1(look.name), kWidth, kHeight, clBtnFace);
      button.Paint(picture.Canvas(), Rect(0, 0, kWidth, kHeight), look.state);
    }
    section.NewRow();
  }
}

const TSectionRegistration registration(60, "PNG button colour maps (TKvoPngButton)",
                                        &DrawPngButtons);

}  // namespace
}  // namespace mirto::gallery
