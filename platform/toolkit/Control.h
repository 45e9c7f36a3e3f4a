#pragma once

// Controls: components with a place on the screen. Every control owns one
// native widget (a Qt widget behind the scenes) that it keeps in step with
// its bounds, visibility and enabled state, and from which it receives
// paint, mouse, pointer, focus and key events through its virtual
// notifications. Windowed controls (TWinControl) hold child controls and
// arrange them by Align and Anchors.
//
// Painting: a control paints into an offscreen picture through its TCanvas;
// controls that show their parent's background get the parent's painting in
// that picture first. Invalidate schedules a paint, Repaint paints at once.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Types.h"
#include "platform/toolkit/Component.h"
#include "platform/toolkit/StyleServices.h"

class QEvent;

namespace mirto {

class TWinControl;
class ControlWidget;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;

enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
using TAnchors = TSet<TAnchorKind>;

// Mouse pointer shapes, by the toolkit's numbers.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Reading order and alignment of a control's text.
enum class TBiDiMode {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
using enum TBiDiMode;

// What a control is to assistive technology.
enum class TAccessibleRole { arPanel, arWindow, arPushButton, arStaticText, arLink, arEdit };
using enum TAccessibleRole;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// wheelDelta: 120 per notch, positive away from the user; mousePos in
// screen coordinates. A handler sets handled to keep the wheel from the
// parent.
using TMouseWheelEvent = std::function<void(TObject* sender, TShiftState shift, int wheelDelta,
                                            TPoint mousePos, bool& handled)>;
// key is a virtual-key code; a handler may set it to 0 to swallow the key.
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
// A character typed without Ctrl or Alt, after the key's KeyDown left it;
// a handler may set it to the null character to swallow it.
using TKeyPressEvent = std::function<void(TObject* sender, QChar& key)>;

// Space kept around a control aligned with AlignWithMargins.
class TMargins : public TNotifyingPersistent {
 public:
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Right() const { return right_; }
  int Bottom() const { return bottom_; }
  void SetLeft(int value) { Change(left_, value); }
  void SetTop(int value) { Change(top_, value); }
  void SetRight(int value) { Change(right_, value); }
  void SetBottom(int value) { Change(bottom_, value); }
  void SetBounds(int left, int top, int right, int bottom) {
    Change(std::tie(left_, top_, right_, bottom_), std::tuple(left, top, right, bottom));
  }
  void Assign(const TPersistent* source) override;

 private:
  int left_ = 3;
  int top_ = 3;
  int right_ = 3;
  int bottom_ = 3;
};

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TNotifyingPersistent {
 public:
  int MinWidth() const { return minWidth_; }
  int MaxWidth() const { return maxWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxHeight() const { return maxHeight_; }
  // Negative limits count as 0.
  void SetMinWidth(int value) { Change(minWidth_, std::max(0, value)); }
  void SetMaxWidth(int value) { Change(maxWidth_, std::max(0, value)); }
  void SetMinHeight(int value) { Change(minHeight_, std::max(0, value)); }
  void SetMaxHeight(int value) { Change(maxHeight_, std::max(0, value)); }
  void Assign(const TPersistent* source) override;

  // Both the width and the height are held to one value each.
  bool FixedSize() const {
    return minWidth_ > 0 && minWidth_ == maxWidth_ && minHeight_ > 0 && minHeight_ == maxHeight_;
  }
  // width and height brought within the limits.
  int ConstrainWidth(int width) const;
  int ConstrainHeight(int height) const;

 private:
  auto Fields() { return std::tie(minWidth_, maxWidth_, minHeight_, maxHeight_); }
  auto Fields() const { return std::tie(minWidth_, maxWidth_, minHeight_, maxHeight_); }
  int minWidth_ = 0;
  int maxWidth_ = 0;
  int minHeight_ = 0;
  int maxHeight_ = 0;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;

  // How many controls exist in the process right now (the storm tests
  // watch it stay flat).
  static int LiveCount();

  // --- place ----------------------------------------------------------------
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
  void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
  void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
  void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
  // Moves and sizes the control in its parent's client coordinates; sizes
  // are kept within Constraints and never below 0.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

  // The client area in the control's own coordinates (0, 0, width, height).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  bool AlignWithMargins() const { return alignWithMargins_; }
  void SetAlignWithMargins(bool value);
  TMargins& Margins() { return margins_; }
  const TMargins& Margins() const { return margins_; }
  void SetMargins(const TMargins& value) { margins_.Assign(&value); }
  // Edges of the parent the control keeps its distance to when the parent
  // is resized (controls with Align alNone only).
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);
  TSizeConstraints& Constraints() { return constraints_; }

  TPoint ClientToScreen(TPoint p) const;

  // --- state ----------------------------------------------------------------
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent visible and the window shown.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  const QString& Caption() const { return text_; }
  void SetCaption(const QString& value) { SetText(value); }
  const QString& Text() const { return text_; }
  void SetText(const QString& value);

  const QString& Hint() const { return hint_; }
  void SetHint(const QString& value);
  // The key that does what the control does ("Alt+V"): the tooltip shows it
  // after the hint, and assistive technology hears it as the control's
  // shortcut; Hint itself stays as set.
  const QString& HintKey() const { return hintKey_; }
  void SetHintKey(const QString& value);
  // With ParentShowHint the parent decides whether hints show.
  bool ShowHint() const;
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);

  // --- looks ----------------------------------------------------------------
  // Setting the font copies the given font's settings (ParentFont turns off).
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value) { font_.Assign(&value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  // The parts a custom visual style may paint (all three by default).
  TStyleElements StyleElements() const { return styleElements_; }
  void SetStyleElements(TStyleElements value) { ChangeLook(styleElements_, value); }

  // With ParentBiDiMode (the default) the parent's mode applies.
  TBiDiMode BiDiMode() const;
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool value);
  bool IsRightToLeft() const { return BiDiMode() != bdLeftToRight; }
  bool UseRightToLeftReading() const { return IsRightToLeft(); }
  bool UseRightToLeftAlignment() const { return BiDiMode() == bdRightToLeft; }
  // flags for DrawText as a right-to-left control needs them: left and right
  // alignment swap (left becomes right unless centred) and the text reads
  // right to left. Unchanged for a left-to-right control.
  TTextFormat DrawTextBiDiModeFlags(TTextFormat flags) const;
  // DT_RTLREADING for a right-to-left control, else 0.
  TTextFormat DrawTextBiDiModeFlagsReadingOnly() const;

  // --- accessibility ----------------------------------------------------------
  // The role the control's widget reports; its name is the one given to it,
  // else the caption as the control shows it (the hint when there is no
  // caption); its description the hint.
  TAccessibleRole AccessibleRole() const { return accessibleRole_; }
  QString AccessibleName() const;
  // Names a control that shows no caption of its own (a text box, a list).
  void SetAccessibleName(const QString& value);
  // Whether the control shows pressed (reported as a state).
  virtual bool AccessiblePressed() const { return false; }
  // Whether the control reports itself enabled; a component with an enabled
  // state of its own (the link label) answers with that.
  virtual bool AccessibleEnabled() const { return Enabled(); }

  // Schedules a paint of the whole control; several coalesce into one.
  // Nothing while the control is loading (it is painted when loading ends).
  void Invalidate();
  // Paints the control at once (when it is showing); inside a paint it only
  // schedules one. Nothing while the control is loading.
  void Repaint();
  // Paints what is scheduled at once.
  void Update();
  void Refresh() { Repaint(); }

  // Destroys the control once the current event has been handled: safe in
  // the control's own handlers.
  void Release();

  // --- events ---------------------------------------------------------------
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnResize;

 protected:
  // Mouse and pointer notifications; the base versions fire the events.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The wheel turned over the control; true when it was used (otherwise the
  // parent gets it). The base version asks OnMouseWheel.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);

  // Whether a left press followed by a release inside the control clicks it.
  virtual bool ClicksOnRelease() const { return true; }

  // Stores value in field (see ChangeValue) and repaints on a real change.
  template <typename Field, typename Value>
  void ChangeLook(Field& field, const Value& value) {
    if (ChangeValue(field, value)) Invalidate();
  }

  // State notifications.
  virtual void Resize();
  virtual void VisibleChanging() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void BiDiModeChanged() { Invalidate(); }
  // Component classes name what they are (a link label is a link).
  void SetAccessibleRole(TAccessibleRole role) { accessibleRole_ = role; }
  // The caption as the control shows it: without accelerator marks ("&&"
  // shows one "&"). A control that draws its caption as it stands says so.
  virtual QString DrawnCaption() const;
  // A control whose input goes to an inner native widget names that too.
  virtual void AccessibleNameChanged() {}
  // The keyboard focus moved to focused (nullptr: out of the window), told
  // to every control of the window.
  virtual void FocusChanged(TWinControl* focused) { (void)focused; }

  // Painting: the control's picture is prepared (its parent's background or
  // its Color) and PaintWindow draws on top of it with canvas.
  virtual bool ShowsParentBackground() const { return false; }
  virtual void PaintWindow(TCanvas& canvas) { (void)canvas; }
  TCanvas& ControlCanvas() { return canvas_; }

  // Windows: events of the native window that the control wants first
  // (closing, showing, activation, window state). True when handled.
  virtual bool WindowEvent(QEvent& event) {
    (void)event;
    return false;
  }

  void Loaded() override;

  // Places the control without touching its anchoring record (alignment and
  // anchoring use it).
  void PlaceBounds(int left, int top, int width, int height);

  // The widget that shows the control; only platform sources use it.
  ControlWidget& Widget() const { return *widget_; }
  // Windows (forms) are shown on their own, and start hidden; other
  // controls show only inside a parent.
  void SetTopLevelWindow(bool value);
  bool TopLevelWindow() const { return topLevelWindow_; }

 private:
  friend class TWinControl;
  friend class ControlWidget;
  friend class ControlAccess;

  void RememberAnchorOrigin();
  void ApplyWindowConstraints();
  void ParentClientResized();
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();
  void ApplyHint();
  void ApplyWidgetVisibility();
  void RequestParentRealign();
  void NotifyFontChange();
  void NotifyBiDiModeChange();

  ControlWidget* widget_;
  TCanvas canvas_;
  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  bool alignWithMargins_ = false;
  TMargins margins_;
  TAnchors anchors_{akLeft, akTop};
  TSizeConstraints constraints_;
  // Where the control sat in its parent when its anchoring was last fixed.
  struct AnchorOrigin {
    TRect bounds;
    TSize parentSize;
    bool valid = false;
  } anchorOrigin_;
  bool visible_ = true;
  bool enabled_ = true;
  QString text_;
  QString hint_;
  QString hintKey_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TStyleElements styleElements_ = kAllStyleElements;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TAccessibleRole accessibleRole_ = arPanel;
  QString accessibleName_;
  bool painting_ = false;
  bool leftPressed_ = false;
  bool releasePending_ = false;
  bool topLevelWindow_ = false;
  // A window: it has been asked onto the screen at least once.
  bool everShown_ = false;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  // Destroys the child controls first.
  ~TWinControl() override;

  // Child controls in the order they were given this parent.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;

  // Keyboard focus.
  virtual bool CanFocus() const;
  void SetFocus();
  bool Focused() const;
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);

  // Shows the parent's painting behind the control instead of Color.
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value) { ChangeLook(parentBackground_, value); }

  // Space kept free inside the client area when children are aligned.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value) { ChangeFrame(borderWidth_, std::max(0, value)); }

  // Alignment of the children is held back between DisableAlign and
  // EnableAlign (and while the control is loading) and done once at the end.
  void DisableAlign();
  void EnableAlign();
  void Realign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // Stores value in field, a setting that moves the client area's edges:
  // a real change realigns the children and repaints.
  template <typename Field, typename Value>
  void ChangeFrame(Field& field, const Value& value) {
    if (!ChangeValue(field, value)) return;
    Realign();
    Invalidate();
  }

  // Makes the control visible; a window that has never been on screen asks
  // the window system to show it before its children show (Control.cpp).
  void ShowBeforeChildren();

  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(QChar& key);

  // The part of the client area children are aligned in.
  virtual void AdjustClientRect(TRect& rect) const;
  virtual void AlignControls(TRect& rect);

  bool ShowsParentBackground() const override { return parentBackground_; }
  void Resize() override;
  void Loaded() override;

  // Controls that take the keyboard focus (buttons, text boxes) say so in
  // their constructor: they are then focused by a click, and by Tab when
  // TabStop is on.
  void SetFocusable(bool value);

 private:
  friend class TControl;
  friend class ControlWidget;
  friend class ControlAccess;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ClientSizeChanged(TSize previous);
  void BroadcastFocusChange(TWinControl* focused);

  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  bool focusable_ = false;
  bool parentBackground_ = false;
  int borderWidth_ = 0;
  int alignDisabled_ = 0;
  bool alignPending_ = false;
  bool aligning_ = false;
};

// A control without keyboard focus that paints itself on its Canvas.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner = nullptr);
  TCanvas& Canvas() { return ControlCanvas(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(TCanvas& canvas) override;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner = nullptr);
  TCanvas& Canvas() { return ControlCanvas(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(TCanvas& canvas) override;
};

}  // namespace mirto
