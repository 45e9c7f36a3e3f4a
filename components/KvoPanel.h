#pragma once

// The gradient panel both windows are built from: a container that paints
// one solid colour or two gradients stacked one above the other, then its
// decorations (bars, lines, captions), then a border drawn side by side with
// one pen per side. Under a custom visual style it paints like the
// toolkit's standard panel in the style's colours instead.
//
// Three classes: TKvoBasePanel (the paint skeleton and its events),
// TKvoCustomPanel (the appearance, decorations and all the drawing) and
// TKvoPanel (what the window layouts set).
//
// Changes travel upward: a border's pen -> the border -> the borders -> the
// appearance -> the panel, which invalidates itself unless it is still
// loading. The two gradients and the four decoration lists report to the
// panel directly.

#include <cstdint>
#include <functional>

#include "components/KvoCommon.h"
#include "components/KvoPanelDecorations.h"
#include "platform/drawing/Pen.h"
#include "platform/toolkit/CustomPanel.h"

namespace mirto {

// The dropped-files message: the platform's handle of the dropped set.
struct TWMDropFiles {
  std::uintptr_t Drop = 0;
  std::intptr_t Result = 0;
};
using TProcOnOnDragDropFiles = std::function<void(TObject* sender, TWMDropFiles& message)>;

class TKvoBasePanel : public TCustomPanel {
 public:
  explicit TKvoBasePanel(TComponent* owner = nullptr);

  // Vertical layout of a caption; setting it invalidates the panel.
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  // Kept for the layouts; nothing reads it.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { wordWrap_ = value; }

  // Runs the whole paint onto canvas instead of the panel's own (a bitmap
  // of the panel's size for previews and tests).
  void PaintTo(TCanvas& canvas);

  // The dropped-files message. The platform never delivers it: the panel's
  // window is not registered as a drop target, and nothing in the program
  // registers it. OnDragDropFiles is stored and runs only when code hands a
  // message to DropFiles itself.
  void DropFiles(TWMDropFiles& message);

  // Every paint: after the background step (decorations and border
  // included), and last.
  TNotifyEvent OnAfterDrawBackground;
  TNotifyEvent OnPaint;
  // The panel's visibility is about to change.
  TNotifyEvent OnVisibleChanging;
  TProcOnOnDragDropFiles OnDragDropFiles;
  // OnMouseEnter and OnMouseLeave are the control's own events; each fires
  // once per entry and exit. OnMouseWheel, too, is called once per turn:
  // the control's wheel handling already calls it, and a second call would
  // repeat every turn.

 protected:
  // The background into r (nothing here).
  virtual void DrawBackground(TRect r) { (void)r; }
  // The caption (nothing here, and no panel class draws it).
  virtual void DrawCaption(TRect r) { (void)r; }
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

  // The canvas the current paint draws on.
  TCanvas& PaintCanvas() { return paintCanvas_ != nullptr ? *paintCanvas_ : Canvas(); }

  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void VisibleChanging() override;

 private:
  void PaintSkeleton();

  TTextLayout layout_ = tlCenter;
  bool wordWrap_ = false;
  TCanvas* paintCanvas_ = nullptr;
};

// One side of the panel's border: its pen (width, colour, style, mode),
// whether it shows and whether its lines are mitred at the corners.
class TKvoPanelBorder : public TNotifyingPersistent {
 public:
  explicit TKvoPanelBorder(TComponent* owner = nullptr);

  const TPen& Pen() const { return pen_; }
  TPen& Pen() { return pen_; }
  // Copies colour, width, style and mode.
  void SetPen(const TPen& value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Border3D() const { return border3D_; }
  void SetBorder3D(bool value);

  // Copies pen, Visible and Border3D, then notifies once. Anything but a
  // border raises the assignment error.
  void Assign(const TPersistent* source) override;

 private:
  void PropsChanged();

  TPen pen_;
  bool visible_ = true;
  bool border3D_ = true;
};

class TKvoPanelBorders : public TNotifyingPersistent {
 public:
  // Left and Top in the button highlight colour, Right and Bottom in the
  // button shadow colour.
  explicit TKvoPanelBorders(TComponent* owner = nullptr);

  TKvoPanelBorder& Left() { return left_; }
  const TKvoPanelBorder& Left() const { return left_; }
  TKvoPanelBorder& Right() { return right_; }
  const TKvoPanelBorder& Right() const { return right_; }
  TKvoPanelBorder& Top() { return top_; }
  const TKvoPanelBorder& Top() const { return top_; }
  TKvoPanelBorder& Bottom() { return bottom_; }
  const TKvoPanelBorder& Bottom() const { return bottom_; }
  // Each copies the given border into the owned one.
  void SetLeft(const TKvoPanelBorder& value) { SetSide(left_, value); }
  void SetRight(const TKvoPanelBorder& value) { SetSide(right_, value); }
  void SetTop(const TKvoPanelBorder& value) { SetSide(top_, value); }
  void SetBottom(const TKvoPanelBorder& value) { SetSide(bottom_, value); }

  // Copies the four sides.
  void Assign(const TPersistent* source) override;

 private:
  void SetSide(TKvoPanelBorder& side, const TKvoPanelBorder& value);
  void PropsChanged();

  TKvoPanelBorder left_;
  TKvoPanelBorder right_;
  TKvoPanelBorder top_;
  TKvoPanelBorder bottom_;
};

class TKvoPanelAppearance : public TNotifyingPersistent {
 public:
  // The gradient colours derive from the button face colour in effect now
  // and stay plain colours afterwards: upper from 5 % brighter to 5 %
  // darker, lower from there to 10 % darker.
  explicit TKvoPanelAppearance(TComponent* owner = nullptr);

  TComponent* Owner() const { return owner_; }

  TKvoGradientEx& UpperGradient() { return upperGradient_; }
  const TKvoGradientEx& UpperGradient() const { return upperGradient_; }
  void SetUpperGradient(const TKvoGradientEx& value);
  TKvoGradientEx& BottomGradient() { return bottomGradient_; }
  const TKvoGradientEx& BottomGradient() const { return bottomGradient_; }
  void SetBottomGradient(const TKvoGradientEx& value);
  // Share of the gradient area's height taken by the upper gradient. Not
  // limited to 100. Setting it calls the bottom gradient's handler, the
  // upper gradient's handler, then OnChange.
  std::uint8_t UpperGradientPercent() const { return upperGradientPercent_; }
  void SetUpperGradientPercent(std::uint8_t value);
  TKvoPanelBorders& Borders() { return borders_; }
  const TKvoPanelBorders& Borders() const { return borders_; }
  void SetBorders(const TKvoPanelBorders& value);
  // Above 0, the gradients keep this far inside the visible borders.
  int BorderToGradientMargin() const { return borderToGradientMargin_; }
  void SetBorderToGradientMargin(int value);
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor value);
  bool DrawGradient() const { return drawGradient_; }
  void SetDrawGradient(bool value);
  bool DrawBorder() const { return drawBorder_; }
  void SetDrawBorder(bool value);

  // Copies the scalar settings and, when asked, the gradients and the
  // borders; notifies once at the end.
  void Assign(const TKvoPanelAppearance& source, bool applyGradientParams, bool applyBordersParams);
  // Copies everything from another appearance.
  void Assign(const TPersistent* source) override;

 private:
  void PropsChanged();

  TComponent* owner_;
  TKvoGradientEx upperGradient_;
  TKvoGradientEx bottomGradient_;
  std::uint8_t upperGradientPercent_ = 50;
  TKvoPanelBorders borders_;
  int borderToGradientMargin_ = 0;
  TColor backgroundColor_ = clBtnFace;
  bool drawGradient_ = true;
  bool drawBorder_ = true;
};

class TKvoCustomPanel : public TKvoBasePanel {
 public:
  explicit TKvoCustomPanel(TComponent* owner = nullptr);

  TKvoPanelAppearance& Appearance() { return appearance_; }
  const TKvoPanelAppearance& Appearance() const { return appearance_; }
  TKvoTagExt& TagExt() { return tagExt_; }
  TKvoPanelVerticalLines& VerticalLines() { return verticalLines_; }
  TKvoPanelHorizontalLines& HorizontalLines() { return horizontalLines_; }
  TKvoPanelCaptions& Captions() { return captions_; }
  TKvoPanelHorizontalBars& HorizontalBars() { return horizontalBars_; }
  const TKvoPanelVerticalLines& VerticalLines() const { return verticalLines_; }
  const TKvoPanelHorizontalLines& HorizontalLines() const { return horizontalLines_; }
  const TKvoPanelCaptions& Captions() const { return captions_; }
  const TKvoPanelHorizontalBars& HorizontalBars() const { return horizontalBars_; }

  // Each copies the given object's settings into the panel's own (a list's
  // items are replaced by copies), then repaints.
  void SetAppearance(const TKvoPanelAppearance& value);
  void SetTagExt(const TKvoTagExt& value);
  void SetVerticalLines(const TKvoPanelVerticalLines& value);
  void SetHorizontalLines(const TKvoPanelHorizontalLines& value);
  void SetCaptions(const TKvoPanelCaptions& value);
  // Bars cannot be copied: a list with items raises the assignment error.
  void SetHorizontalBars(const TKvoPanelHorizontalBars& value);

  // Width of each visible border's pen (0 for hidden ones or widths below
  // 1), whether or not the border is drawn.
  TKvoBorderWidths GetBorderWidths() const;
  void GetBorderWidths(int& left, int& right, int& top, int& bottom) const;

 protected:
  void DrawBackground(TRect r) override;
  void DrawBorders(TRect r);
  void DrawHorizontalBars(TRect r);
  void DrawVerticalLines(TRect r);
  void DrawHorizontalLines(TRect r);
  void DrawCaptions(TRect r);

  // Invalidates the panel unless it is loading.
  void PropsChanged(TObject* sender);
  // Invalidates the panel; while designing, first makes a panel that shows
  // its parent's background paint its own.
  void GradientChanged(TObject* sender);

 private:
  void DrawAppearanceBackground(const TRect& r);
  void DrawStyledBackground();

  TKvoPanelAppearance appearance_;
  TKvoTagExt tagExt_;
  TKvoPanelVerticalLines verticalLines_;
  TKvoPanelHorizontalLines horizontalLines_;
  TKvoPanelCaptions captions_;
  TKvoPanelHorizontalBars horizontalBars_;
};

class TKvoPanel : public TKvoCustomPanel {
 public:
  using TKvoCustomPanel::TKvoCustomPanel;
};

}  // namespace mirto
