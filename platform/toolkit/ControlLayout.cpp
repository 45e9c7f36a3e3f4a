// Where controls sit: margins and size limits, alignment of the children of
// a windowed control along its edges, and the anchoring rule that keeps a
// control's distances to the edges it is anchored to.

#include <algorithm>
#include <vector>

#include "platform/toolkit/Control.h"

namespace mirto {

// --- TMargins, TSizeConstraints ------------------------------------------------

void TMargins::Assign(const TPersistent* source) {
  if (const auto* m = dynamic_cast<const TMargins*>(source))
    return SetBounds(m->left_, m->top_, m->right_, m->bottom_);
  TPersistent::Assign(source);
}

void TSizeConstraints::Assign(const TPersistent* source) {
  if (const auto* c = dynamic_cast<const TSizeConstraints*>(source))
    return Change(Fields(), c->Fields());
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

namespace {

// One axis of the anchoring rule: the parent grew by delta; a control held
// at both edges grows with it, one held at the far edge moves with it, one
// held at neither keeps its place relative to the middle.
void FollowAnchors(bool nearEdge, bool farEdge, int delta, int& position, int& size) {
  if (farEdge && nearEdge)
    size += delta;
  else if (farEdge)
    position += delta;
  else if (!nearEdge)
    position += Div(delta, 2);
}

}  // namespace

// Keeps the distances to the anchored edges the control had when it was
// placed. Computed from that placement, so shrinking and growing the parent
// again brings the control back exactly.
void TControl::ParentClientResized() {
  if (align_ != alNone || parent_ == nullptr) return;
  if (ComponentState().Contains(csLoading)) return;
  if (!anchorOrigin_.valid) return;
  if (anchors_ == TAnchors{akLeft, akTop}) return;
  const TRect& b = anchorOrigin_.bounds;
  int left = b.Left;
  int width = b.Width();
  int top = b.Top;
  int height = b.Height();
  FollowAnchors(anchors_.Contains(akLeft), anchors_.Contains(akRight),
                parent_->ClientWidth() - anchorOrigin_.parentSize.cx, left, width);
  FollowAnchors(anchors_.Contains(akTop), anchors_.Contains(akBottom),
                parent_->ClientHeight() - anchorOrigin_.parentSize.cy, top, height);
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
