// Where controls sit: margins and size limits, alignment of the children of
// a windowed control along its edges, and the anchoring rule that keeps a
// control's distances to the edges it is anchored to.

#include <algorithm>
#include <vector>

#include "platform/toolkit/Control.h"

namespace mirto {

// --- TMargins, TSizeConstraints ------------------------------------------------

void TMargins::Set(int& field, int value) {
  if (field == value) return;
  field = value;
  CallHandler(OnChange, this);
}

void TMargins::SetBounds(int left, int top, int right, int bottom) {
  if (left == left_ && top == top_ && right == right_ && bottom == bottom_) return;
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  CallHandler(OnChange, this);
}

void TMargins::Assign(const TPersistent* source) {
  if (const auto* m = dynamic_cast<const TMargins*>(source)) {
    SetBounds(m->left_, m->top_, m->right_, m->bottom_);
    return;
  }
  TPersistent::Assign(source);
}

void TSizeConstraints::Set(int& field, int value) {
  value = std::max(0, value);
  if (field == value) return;
  field = value;
  CallHandler(OnChange, this);
}

void TSizeConstraints::Assign(const TPersistent* source) {
  if (const auto* c = dynamic_cast<const TSizeConstraints*>(source)) {
    minWidth_ = c->minWidth_;
    maxWidth_ = c->maxWidth_;
    minHeight_ = c->minHeight_;
    maxHeight_ = c->maxHeight_;
    CallHandler(OnChange, this);
    return;
  }
  TPersistent::Assign(source);
}

int TSizeConstraints::ConstrainWidth(int width) const {
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  if (minWidth_ > 0) width = std::max(width, minWidth_);
  return width;
}

int TSizeConstraints::ConstrainHeight(int height) const {
  if (maxHeight_ > 0) height = std::min(height, maxHeight_);
  if (minHeight_ > 0) height = std::max(height, minHeight_);
  return height;
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  if (value == alNone) RememberAnchorOrigin();
  RequestParentRealign();
}

void TControl::SetAlignWithMargins(bool value) {
  if (value == alignWithMargins_) return;
  alignWithMargins_ = value;
  if (align_ != alNone) RequestParentRealign();
}

void TControl::SetAnchors(TAnchors value) {
  anchors_ = value;
  RememberAnchorOrigin();
}

void TControl::RememberAnchorOrigin() {
  if (parent_ == nullptr) {
    anchorOrigin_.valid = false;
    return;
  }
  anchorOrigin_.bounds = BoundsRect();
  anchorOrigin_.parentSize = {parent_->ClientWidth(), parent_->ClientHeight()};
  anchorOrigin_.valid = true;
}

// Keeps the distances to the anchored edges the control had when it was
// placed. Computed from that placement, so shrinking and growing the parent
// again brings the control back exactly.
void TControl::ParentClientResized() {
  if (align_ != alNone || parent_ == nullptr) return;
  if (ComponentState().Contains(csLoading)) return;
  if (!anchorOrigin_.valid) return;
  if (anchors_ == TAnchors{akLeft, akTop}) return;
  const TRect& b = anchorOrigin_.bounds;
  const int dx = parent_->ClientWidth() - anchorOrigin_.parentSize.cx;
  const int dy = parent_->ClientHeight() - anchorOrigin_.parentSize.cy;
  int left = b.Left;
  int width = b.Width();
  int top = b.Top;
  int height = b.Height();
  if (anchors_.Contains(akRight)) {
    if (anchors_.Contains(akLeft))
      width += dx;
    else
      left += dx;
  } else if (!anchors_.Contains(akLeft)) {
    left += Div(dx, 2);
  }
  if (anchors_.Contains(akBottom)) {
    if (anchors_.Contains(akTop))
      height += dy;
    else
      top += dy;
  } else if (!anchors_.Contains(akTop)) {
    top += Div(dy, 2);
  }
  PlaceBounds(left, top, width, height);
}

void TControl::RequestParentRealign() {
  if (parent_ != nullptr && !parent_->aligning_) parent_->Realign();
}

void TWinControl::DisableAlign() { ++alignDisabled_; }

void TWinControl::EnableAlign() {
  if (alignDisabled_ == 0) return;
  if (--alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
  if (ComponentState().Contains(csDestroying)) return;
  if (alignDisabled_ > 0 || aligning_ || ComponentState().Contains(csLoading)) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  aligning_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{aligning_};
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(rect);
}

void TWinControl::AdjustClientRect(TRect& rect) const {
  InflateRect(rect, -borderWidth_, -borderWidth_);
}

void TWinControl::AlignControls(TRect& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> group;
    for (TControl* c : controls_)
      if (c->align_ == align && c->visible_) group.push_back(c);
    // Controls keep their order along the edge they stack against.
    std::stable_sort(group.begin(), group.end(), [align](const TControl* a, const TControl* b) {
      switch (align) {
        case alTop:
          return a->top_ < b->top_;
        case alBottom:
          return a->top_ + a->height_ > b->top_ + b->height_;
        case alLeft:
          return a->left_ < b->left_;
        case alRight:
          return a->left_ + a->width_ > b->left_ + b->width_;
        default:
          return false;
      }
    });
    for (TControl* c : group) {
      TMargins none;
      none.SetBounds(0, 0, 0, 0);
      const TMargins& m = c->alignWithMargins_ ? c->margins_ : none;
      const int across = rect.Width() - m.Left() - m.Right();
      const int down = rect.Height() - m.Top() - m.Bottom();
      switch (align) {
        case alTop:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), across, c->height_);
          rect.Top += c->height_ + m.Top() + m.Bottom();
          break;
        case alBottom:
          c->PlaceBounds(rect.Left + m.Left(), rect.Bottom - m.Bottom() - c->height_, across,
                         c->height_);
          rect.Bottom -= c->height_ + m.Top() + m.Bottom();
          break;
        case alLeft:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), c->width_, down);
          rect.Left += c->width_ + m.Left() + m.Right();
          break;
        case alRight:
          c->PlaceBounds(rect.Right - m.Right() - c->width_, rect.Top + m.Top(), c->width_, down);
          rect.Right -= c->width_ + m.Left() + m.Right();
          break;
        case alClient:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), across, down);
          break;
        case alNone:
          break;
      }
    }
  }
}

void TWinControl::ClientSizeChanged(TSize previous) {
  if (previous == TSize{ClientWidth(), ClientHeight()}) return;
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) child->ParentClientResized();
  Realign();
}

}  // namespace mirto
