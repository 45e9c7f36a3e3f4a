#include "launcher/ViewLayout.h"

namespace mirto {

int CenteredLeft(int panelWidth, int width) { return panelWidth / 2 - width / 2; }

void TCategoryViewLayout::HeadingPlaced(int top, int height) {
  y_ = top + height + Spacing;
  column_ = 0;
}

TPoint TCategoryViewLayout::NextButton(int width, int height) {
  ++column_;
  const int third = panelWidth_ / 3;
  int left = 0;
  switch (column_) {
    case 1:
    case 4:
      left = third / 2 - width / 2;
      break;
    case 2:
    case 5:
      left = third + third / 2 - width / 2;
      break;
    case 3:
    case 6:
      left = 2 * third + third / 2 - width / 2;
      break;
    default:
      left = 0;
      break;
  }
  const TPoint place{left, y_};
  lastButtonHeight_ = height;
  if (column_ == 3) y_ += height + Spacing;
  return place;
}

void TCategoryViewLayout::HalfDone() {
  y_ += lastButtonHeight_ + 2 * Spacing;
  column_ = 0;
}

void TGroupViewLayout::TitlePlaced(int top, int height) { y_ = top + height + Spacing; }

void TGroupViewLayout::DescriptionPlaced(int height) { y_ += height + Spacing + 10; }

TPoint TGroupViewLayout::NextButton(int width, int height) {
  TPoint place{0, y_};
  if (k_ % 2 == 1) {
    place.X = panelWidth_ / 2 - width - ColumnGap / 2;
  } else {
    place.X = panelWidth_ / 2 + ColumnGap / 2;
    y_ += height + Spacing;
  }
  if (programCount_ == 1) place.X = CenteredLeft(panelWidth_, width);
  ++k_;
  return place;
}

}  // namespace mirto
