#pragma once

// The bitmap push button. It never paints itself: every paint hands a
// draw-item record (canvas, rectangle, pressed, disabled and focus flags) to
// the virtual DrawItem, whose base version draws a plain button face. It
// clicks on a left press and release inside it, on Space, and on Enter when
// focused or (as the window's Default button) when no other control takes
// Enter. It may be bound to an action, which then gives it caption, hint,
// enabled state and visibility and is executed by a click.

#include <QString>
#include <memory>

#include "platform/drawing/Bitmap.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/OwnerDrawState.h"

namespace mirto {

class TBasicAction;
class TActionLink;

// What the button hands to DrawItem for one paint.
struct TDrawItemStruct {
  TCanvas* Canvas = nullptr;  // bound to the button's picture for this paint
  TRect ItemRect;             // the client rectangle
  // odSelected: pressed; odDisabled; odFocus: the window's active button (SetButtonStyle(true)),
  // also while the keyboard focus is elsewhere.
  TOwnerDrawState ItemState;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;

enum class TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
using enum TBitBtnKind;

class TBitBtn : public TWinControl {
 public:
  explicit TBitBtn(TComponent* owner = nullptr);
  ~TBitBtn() override;

  // Runs the click: the window takes ModalResult, a bkClose button closes
  // the window, then OnClick runs, or the action when there is no OnClick.
  void Click() override;

  bool Default() const { return default_; }
  void SetDefault(bool value) { ChangeLook(default_, value); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  // A kind other than bkCustom gives the button its usual caption, modal
  // result and Default/Cancel role.
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);

  // Setting the glyph copies the bitmap.
  TBitmap& Glyph() { return glyph_; }
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& value) { glyph_.Assign(&value); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value) { ChangeLook(layout_, value); }
  int Margin() const { return margin_; }
  void SetMargin(int value) { ChangeLook(margin_, value); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int value) { ChangeLook(spacing_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { ChangeLook(wordWrap_, value); }

  // Whether the button shows pressed right now.
  bool Down() const { return (mouseDown_ && mouseInside_) || spaceDown_; }

  // The action the button shows and executes (not owned; the binding ends
  // by itself when the action is destroyed).
  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);

  // Told when the keyboard focus moves between the window's controls: true
  // when this button is the window's active button (it has the focus, or it
  // is the Default button while no other button has it). The base version
  // records it (odFocus of the draw-item record) and repaints on a change;
  // overrides run it too.
  virtual void SetButtonStyle(bool isDefault);
  // The last value SetButtonStyle was told.
  bool ActiveButton() const { return activeButton_; }
  bool AccessiblePressed() const override { return Down(); }

 protected:
  // Paints the whole button from the record.
  virtual void DrawItem(const TDrawItemStruct& item);
  // The action changed (or, with checkDefaults, was just bound: then only
  // what the button still has at its defaults is taken over). action is
  // nullptr when the bound action was destroyed.
  virtual void ActionChange(TObject* action, bool checkDefaults);

  void PaintWindow(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void FocusChanged(TWinControl* focused) override;

 private:
  void SetDownState(bool mouseDown, bool inside, bool spaceDown);

  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  TBitBtnKind kind_ = bkCustom;
  TBitmap glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool wordWrap_ = false;
  bool mouseDown_ = false;
  bool mouseInside_ = false;
  bool spaceDown_ = false;
  bool activeButton_ = false;
  std::unique_ptr<TActionLink> actionLink_;
};

}  // namespace mirto
