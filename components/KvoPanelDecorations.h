#pragma once

// Decorations a panel paints over its background and under its border:
// horizontal bars (a filled strip with an optional gradient and a frame),
// vertical lines, horizontal lines and text captions. Each kind is an owned,
// ordered collection; later items paint over earlier ones. Every position
// is measured inside the panel's client rectangle less the widths of its
// visible borders, whether or not the border is drawn.
//
// Change notification: an item reports a change of any of its properties
// (or of its pen, font or gradient) through its own OnChange, and also to
// its collection. A collection fires its OnChange (which the panel uses to
// repaint) when an item is added, deleted or changed, so decorations changed
// at run time show without the caller invalidating the panel.

#include <QString>

#include "components/KvoCommon.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Pen.h"
#include "platform/toolkit/Collection.h"

namespace mirto {

class TCanvas;

enum class TKvoVerticalLinePosition : std::uint8_t { vlpFromLeft, vlpCenter, vlpFromRight };
using enum TKvoVerticalLinePosition;
enum class TKvoHorizontalLinePosition : std::uint8_t { hlpFromTop, hlpCenter, hlpFromBottom };
using enum TKvoHorizontalLinePosition;
enum class TKvoTextHorizontalPosition : std::uint8_t { thpFromLeft, thpCenter, thpFromRight };
using enum TKvoTextHorizontalPosition;
enum class TKvoTextVerticalPosition : std::uint8_t { tvpFromTop, tvpCenter, tvpFromBottom };
using enum TKvoTextVerticalPosition;
enum class TKvoHorizontalBarPosition : std::uint8_t {
  hbpFromTop,
  hbpCenter,
  hbpFromBottom,
  hbpPercentFromTop,
  hbpPercentFromBottom
};
using enum TKvoHorizontalBarPosition;

// Widths of the panel's visible borders, side by side.
struct TKvoBorderWidths {
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
};

// Base of the decoration items: OnChange and the report to the collection.
class TKvoPanelDecoration : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 protected:
  // Tells the collection, then calls OnChange with the item itself.
  void PropsChanged();
  template <class T>
  void SetAndNotify(T& field, const T& value) {
    field = value;
    PropsChanged();
  }
  TNotifyEvent onChange_;
};

class TKvoPanelVerticalLine : public TKvoPanelDecoration {
 public:
  explicit TKvoPanelVerticalLine(TCollection* collection);

  const TPen& Pen() const { return pen_; }
  TPen& Pen() { return pen_; }
  void SetPen(const TPen& value);
  int TopMargin() const { return topMargin_; }
  void SetTopMargin(int value) { SetAndNotify(topMargin_, value); }
  int BottomMargin() const { return bottomMargin_; }
  void SetBottomMargin(int value) { SetAndNotify(bottomMargin_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetAndNotify(visible_, value); }
  int PosX() const { return posX_; }
  void SetPosX(int value) { SetAndNotify(posX_, value); }
  TKvoVerticalLinePosition LinePosition() const { return linePosition_; }
  void SetLinePosition(TKvoVerticalLinePosition value) { SetAndNotify(linePosition_, value); }

  // From another vertical line: pen, margins, Visible, OnChange, PosX and
  // LinePosition, then one notification. Anything else: the assignment error.
  void Assign(const TPersistent* source) override;

 private:
  TPen pen_;
  int topMargin_ = 0;
  int bottomMargin_ = 0;
  bool visible_ = true;
  int posX_ = 10;
  TKvoVerticalLinePosition linePosition_ = vlpFromLeft;
};

class TKvoPanelHorizontalLine : public TKvoPanelDecoration {
 public:
  explicit TKvoPanelHorizontalLine(TCollection* collection);

  const TPen& Pen() const { return pen_; }
  TPen& Pen() { return pen_; }
  void SetPen(const TPen& value);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value) { SetAndNotify(leftMargin_, value); }
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int value) { SetAndNotify(rightMargin_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetAndNotify(visible_, value); }
  int PosY() const { return posY_; }
  void SetPosY(int value) { SetAndNotify(posY_, value); }
  TKvoHorizontalLinePosition LinePosition() const { return linePosition_; }
  void SetLinePosition(TKvoHorizontalLinePosition value) { SetAndNotify(linePosition_, value); }

  // As the vertical line's, with PosY.
  void Assign(const TPersistent* source) override;

 private:
  TPen pen_;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  bool visible_ = true;
  int posY_ = 10;
  TKvoHorizontalLinePosition linePosition_ = hlpFromTop;
};

class TKvoPanelCaption : public TKvoPanelDecoration {
 public:
  explicit TKvoPanelCaption(TCollection* collection);

  const QString& Text() const { return text_; }
  void SetText(const QString& value) { SetAndNotify(text_, value); }
  const TFont& Font() const { return font_; }
  TFont& Font() { return font_; }
  void SetFont(const TFont& value);
  int PosX() const { return posX_; }
  void SetPosX(int value) { SetAndNotify(posX_, value); }
  int PosY() const { return posY_; }
  void SetPosY(int value) { SetAndNotify(posY_, value); }
  int MarginX() const { return marginX_; }
  void SetMarginX(int value) { SetAndNotify(marginX_, value); }
  int MarginY() const { return marginY_; }
  void SetMarginY(int value) { SetAndNotify(marginY_, value); }
  TKvoTextVerticalPosition VerticalPosition() const { return verticalPosition_; }
  void SetVerticalPosition(TKvoTextVerticalPosition value) {
    SetAndNotify(verticalPosition_, value);
  }
  TKvoTextHorizontalPosition HorizontalPosition() const { return horizontalPosition_; }
  void SetHorizontalPosition(TKvoTextHorizontalPosition value) {
    SetAndNotify(horizontalPosition_, value);
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetAndNotify(visible_, value); }

  // From another caption: the font (whose change notifies), positions and
  // margins. Text and Visible stay, and there is no notification of its own.
  void Assign(const TPersistent* source) override;

 private:
  QString text_;
  TFont font_;
  int posX_ = 10;
  int posY_ = 10;
  int marginX_ = 0;
  int marginY_ = 0;
  TKvoTextVerticalPosition verticalPosition_ = tvpFromTop;
  TKvoTextHorizontalPosition horizontalPosition_ = thpFromLeft;
  bool visible_ = true;
};

// A bar cannot be copied: Assign raises the assignment error.
class TKvoPanelHorizontalBar : public TKvoPanelDecoration {
 public:
  explicit TKvoPanelHorizontalBar(TCollection* collection);

  const TPen& Border() const { return border_; }
  TPen& Border() { return border_; }
  void SetBorder(const TPen& value);
  int Height() const { return height_; }
  void SetHeight(int value) { SetAndNotify(height_, value); }
  int PosY() const { return posY_; }
  void SetPosY(int value) { SetAndNotify(posY_, value); }
  TKvoHorizontalBarPosition BarPosition() const { return barPosition_; }
  void SetBarPosition(TKvoHorizontalBarPosition value) { SetAndNotify(barPosition_, value); }
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor value) { SetAndNotify(backgroundColor_, value); }
  const TKvoGradientEx& Gradient() const { return gradient_; }
  TKvoGradientEx& Gradient() { return gradient_; }
  void SetGradient(const TKvoGradientEx& value);
  bool DrawGradient() const { return drawGradient_; }
  void SetDrawGradient(bool value) { SetAndNotify(drawGradient_, value); }
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value) { SetAndNotify(leftMargin_, value); }
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int value) { SetAndNotify(rightMargin_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetAndNotify(visible_, value); }

  // Where the bar lies in the client rectangle r with the border widths b.
  TRect BarRect(const TRect& r, const TKvoBorderWidths& b) const;

 private:
  TPen border_;
  int height_ = 20;
  int posY_ = 20;
  TKvoHorizontalBarPosition barPosition_ = hbpFromTop;
  TColor backgroundColor_ = clBtnFace;
  TKvoGradientEx gradient_;
  bool drawGradient_ = true;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  bool visible_ = true;
};

// A decoration list: fires OnChange when an item is added, deleted or
// changed. The owner is the panel (not owned).
template <class Item>
class TKvoPanelDecorations : public TCollectionOf<Item> {
 public:
  explicit TKvoPanelDecorations(TPersistent* owner = nullptr) : TCollectionOf<Item>(owner) {}

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 protected:
  void Update(TCollectionItem*) override { CallHandler(onChange_, this); }

 private:
  TNotifyEvent onChange_;
};

class TKvoPanelVerticalLines : public TKvoPanelDecorations<TKvoPanelVerticalLine> {
  using TKvoPanelDecorations::TKvoPanelDecorations;
};
class TKvoPanelHorizontalLines : public TKvoPanelDecorations<TKvoPanelHorizontalLine> {
  using TKvoPanelDecorations::TKvoPanelDecorations;
};
class TKvoPanelCaptions : public TKvoPanelDecorations<TKvoPanelCaption> {
  using TKvoPanelDecorations::TKvoPanelDecorations;
};
class TKvoPanelHorizontalBars : public TKvoPanelDecorations<TKvoPanelHorizontalBar> {
  using TKvoPanelDecorations::TKvoPanelDecorations;
};

// The drawing steps, each in collection order on the client rectangle r.
void DrawHorizontalBars(TCanvas& canvas, const TKvoPanelHorizontalBars& bars, const TRect& r,
                        const TKvoBorderWidths& b);
void DrawVerticalLines(TCanvas& canvas, const TKvoPanelVerticalLines& lines, const TRect& r,
                       const TKvoBorderWidths& b);
void DrawHorizontalLines(TCanvas& canvas, const TKvoPanelHorizontalLines& lines, const TRect& r,
                         const TKvoBorderWidths& b);
void DrawCaptions(TCanvas& canvas, const TKvoPanelCaptions& captions, const TRect& r,
                  const TKvoBorderWidths& b);

}  // namespace mirto
