#pragma once

// Where the main area's views put their headings and buttons. The windows
// create the controls in their own order and ask these walkers for each
// position as they go, so the arithmetic is testable without widgets.

#include "platform/drawing/Types.h"

namespace mirto {

// Left edge that centres something width wide in a parent panelWidth wide.
int CenteredLeft(int panelWidth, int width);

// The category view: per half a heading, then up to three buttons per row,
// each centred in its third of the panel.
class TCategoryViewLayout {
 public:
  static constexpr int Spacing = 10;
  static constexpr int FirstHeadingTop = 10;

  explicit TCategoryViewLayout(int panelWidth) : panelWidth_(panelWidth) {}

  // Top of the next heading; the heading's left is CenteredLeft.
  int HeadingTop() const { return y_; }
  // The heading is in place: its buttons start below it.
  void HeadingPlaced(int top, int height);
  // Top-left of the next button of the current half. A row holds three;
  // the row advances after the third, and a seventh or later button of a
  // half lands at the left edge of the second row.
  TPoint NextButton(int width, int height);
  // The current half is done: the next heading starts two spacings below
  // the current row's last button.
  void HalfDone();

 private:
  int panelWidth_;
  int y_ = FirstHeadingTop;
  int column_ = 0;
  int lastButtonHeight_ = 0;
};

// The group view: a centred title and description, then the program buttons
// in two columns either side of the panel's middle. A group of one program
// has its button centred.
class TGroupViewLayout {
 public:
  static constexpr int Spacing = 10;
  static constexpr int ColumnGap = 20;
  static constexpr int TitleTop = 20;

  // programCount is the number of IDs the group lists (found or not).
  TGroupViewLayout(int panelWidth, int programCount)
      : panelWidth_(panelWidth), programCount_(programCount) {}

  void TitlePlaced(int top, int height);
  // Top of the description line.
  int DescriptionTop() const { return y_; }
  void DescriptionPlaced(int height);
  // Top-left of the next program button; skipped programs never call it, so
  // the next one takes their place.
  TPoint NextButton(int width, int height);

 private:
  int panelWidth_;
  int programCount_;
  int y_ = TitleTop;
  int k_ = 1;
};

}  // namespace mirto
