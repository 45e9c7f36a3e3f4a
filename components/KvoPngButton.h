#pragma once

// A push button that shows a PNG glyph and an optional caption and paints
// itself in one of five looks (normal, hot, down, focused, disabled) held by
// its appearance, or like the platform's own push button.

#include <QString>
#include <memory>

#include "components/KvoButtonAppearance.h"
#include "components/KvoCommon.h"
#include "components/KvoPngButtonColorMaps.h"
#include "graphics/PngFunctions.h"
#include "platform/drawing/PngImage.h"
#include "platform/toolkit/BitBtn.h"

namespace mirto {

// What one paint of the button depends on besides its properties, folded
// from the draw request and the button's tracking state.
struct TKvoPngButtonState {
  bool Enabled = true;
  bool Pressed = false;         // the request's selected flag
  bool FocusFlag = false;       // the request's focus flag: the window's active button
  bool HoldsFocus = false;      // the button has the keyboard focus
  bool Over = false;            // the pointer is over the button
  bool MouseInControl = false;  // pointer tracking under visual styles
};

class TKvoPngButton : public TBitBtn {
 public:
  explicit TKvoPngButton(TComponent* owner = nullptr);
  ~TKvoPngButton() override;

  // The glyph; never absent, may be empty.
  const TPngImage& PngImage() const { return *pngImage_; }
  // Copies value (nullptr empties the glyph). RGB, palette and RGB-with-alpha
  // glyphs lose their gamma chunk so they show the colours they were drawn
  // with; grey glyphs keep it. Repaints at once.
  void SetPngImage(const TPngImage* value);

  // Glyph effects of the disabled button in the platform-style drawing.
  TPngOptions PngOptions() const { return pngOptions_; }
  // Repaints at once, and only when the value changes.
  void SetPngOptions(TPngOptions value);

  TKvoTagExt& TagExt() { return tagExt_; }
  const TKvoTagExt& TagExt() const { return tagExt_; }
  // Copies the values; the held tag object stays.
  void SetTagExt(const TKvoTagExt& value);

  TKvoButtonAppearance& Appearance() { return appearance_; }
  const TKvoButtonAppearance& Appearance() const { return appearance_; }
  // Copies the settings (Assign); the held appearance and its OnChange stay.
  void SetAppearance(const TKvoButtonAppearance& value) { appearance_.Assign(&value); }

  // The colour scheme last selected. Any value but cmtCustom recolours the
  // button with that predefined map; cmtCustom changes no colour.
  TKvoPngButtonColorMapType ColorMapType() const { return colorMapType_; }
  void SetColorMapType(TKvoPngButtonColorMapType value);
  // Sets the button's 37 colours from colorMap; ColorMapType stays.
  void ApplyColorMap(const TKvoPngButtonColorMap& colorMap);

  // Told when the focus moves between the window's buttons; repaints only
  // when the value changes.
  void SetButtonStyle(bool isDefault) override;

  // Tracking state.
  bool MouseOver() const { return over_; }
  bool MouseInControl() const { return mouseInControl_; }
  bool IsFocused() const { return isFocused_; }
  bool ImageFromAction() const { return imageFromAction_; }
  TBitBtnKind LastKind() const { return lastKind_; }

  // Paints the button for state into client on canvas: the custom looks, or
  // the platform's push button when Appearance.DefaultDrawing is set. While
  // a custom visual style is active the style hook paints the button's
  // element instead (enabled state and kind from the button itself).
  void Paint(TCanvas& canvas, const TRect& client, const TKvoPngButtonState& state) const;

 protected:
  void DrawItem(const TDrawItemStruct& item) override;
  void ActionChange(TObject* action, bool checkDefaults) override;
  // The inherited notifications only fire OnMouseEnter/OnMouseLeave, which
  // this button fires itself, and only while the visual styles are off.
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void AppearanceChanged();

  bool over_ = false;
  std::unique_ptr<TPngImage> pngImage_;
  TPngOptions pngOptions_{pngBlendOnDisabled};
  TBitBtnKind lastKind_ = bkCustom;
  bool imageFromAction_ = false;
  bool mouseInControl_ = false;
  bool isFocused_ = false;
  TKvoTagExt tagExt_;
  TKvoButtonAppearance appearance_;
  TKvoPngButtonColorMapType colorMapType_ = cmtCustom;
};

// Sets the name and then the size (points) of the button's own font and of
// the fonts of its five looks; colours and styles stay.
void SetPngButtonFonts(TKvoPngButton& button, const QString& fontName, int fontSize);

}  // namespace mirto
