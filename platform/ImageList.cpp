#include "platform/ImageList.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace mirto {

struct TCustomImageList::Images {
  // Format_ARGB32, Width x Height each.
  std::vector<QImage> list;
};

// ---------------------------------------------------------------------------
// Change links

TChangeLink::~TChangeLink() { SetSender(nullptr); }

void TChangeLink::SetSender(TCustomImageList* list) {
  if (list == sender_) return;
  if (sender_ != nullptr) sender_->UnregisterChanges(this);
  sender_ = list;
  if (sender_ != nullptr) sender_->RegisterChanges(this);
}

// ---------------------------------------------------------------------------
// Image list

TCustomImageList::TCustomImageList(TComponent* owner)
    : TComponent(owner), images_(std::make_unique<Images>()) {
  std::fill(std::begin(overlays_), std::end(overlays_), -1);
}

TCustomImageList::~TCustomImageList() {
  while (!links_.empty()) {
    TChangeLink* link = links_.back();
    links_.pop_back();
    link->sender_ = nullptr;
    if (link->OnChange) link->OnChange(nullptr);
  }
}

void TCustomImageList::SetWidth(int width) {
  if (width < 1 || width == width_) return;
  width_ = width;
  Clear();
}

void TCustomImageList::SetHeight(int height) {
  if (height < 1 || height == height_) return;
  height_ = height;
  Clear();
}

void TCustomImageList::SetSize(int width, int height) {
  BeginUpdate();
  SetWidth(width);
  SetHeight(height);
  EndUpdate();
}

int TCustomImageList::Count() const { return static_cast<int>(images_->list.size()); }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)image;
  (void)mask;
  return -1;
}

int TCustomImageList::AddIcon(TIcon* image) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)image;
  return -1;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)image;
  (void)maskColor;
  return -1;
}

int TCustomImageList::AddImage(TCustomImageList* value, int index) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)value;
  (void)index;
  return -1;
}

void TCustomImageList::AddImages(TCustomImageList* value) {
  if (value == nullptr) return;
  BeginUpdate();
  // Counted once, so that adding a list to itself doubles it and stops.
  const int count = value->Count();
  for (int i = 0; i < count; ++i) AddImage(value, i);
  EndUpdate();
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
  (void)mask;
}

void TCustomImageList::InsertIcon(int index, TIcon* image) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
}

void TCustomImageList::InsertMasked(int index, TBitmap* image, TColor maskColor) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
  (void)maskColor;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
  (void)mask;
}

void TCustomImageList::ReplaceIcon(int index, TIcon* image) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* newImage, TColor maskColor) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)newImage;
  (void)maskColor;
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_->list.erase(images_->list.begin() + index);
  for (int& slot : overlays_) {
    if (slot == index)
      slot = -1;
    else if (slot > index)
      --slot;
  }
  Change();
}

void TCustomImageList::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() ||
      curIndex == newIndex)
    return;
  auto& list = images_->list;
  QImage moved = std::move(list[static_cast<std::size_t>(curIndex)]);
  list.erase(list.begin() + curIndex);
  list.insert(list.begin() + newIndex, std::move(moved));
  // Overlay slots keep naming the same pictures.
  for (int& slot : overlays_) {
    if (slot == curIndex)
      slot = newIndex;
    else if (curIndex < newIndex && slot > curIndex && slot <= newIndex)
      --slot;
    else if (newIndex < curIndex && slot >= newIndex && slot < curIndex)
      ++slot;
  }
  Change();
}

void TCustomImageList::Clear() {
  images_->list.clear();
  std::fill(std::begin(overlays_), std::end(overlays_), -1);
  Change();
}

bool TCustomImageList::Overlay(int imageIndex, TOverlay overlay) {
  if (overlay >= kMaxOverlays) return false;
  const bool valid = imageIndex >= 0 && imageIndex < Count();
  overlays_[overlay] = valid ? imageIndex : -1;
  return valid;
}

int TCustomImageList::OverlayImage(TOverlay overlay) const {
  return overlay < kMaxOverlays ? overlays_[overlay] : -1;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  DoDraw(index, canvas, x, y, ILD_NORMAL, enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, TOverlay overlay,
                                   bool enabled) {
  if (overlay >= kMaxOverlays) {
    Draw(canvas, x, y, index, enabled);
    return;
  }
  DoDraw(index, canvas, x, y, ILD_NORMAL | IndexToOverlayMask(overlay + 1u), enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, unsigned style,
                              bool enabled) {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)canvas;
  (void)x;
  (void)y;
  (void)style;
  (void)enabled;
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) const {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
  return false;
}

bool TCustomImageList::GetIcon(int index, TIcon* image) const {
  // Pictures are taken from bitmaps and icons once the drawing surface lands.
  (void)index;
  (void)image;
  return false;
}

void TCustomImageList::BeginUpdate() { ++updateDepth_; }

void TCustomImageList::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (updateDepth_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnChange) {
    const TNotifyEvent handler = OnChange;
    handler(this);
  }
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
      link->OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) { links_.push_back(link); }

void TCustomImageList::UnregisterChanges(TChangeLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TCustomImageList::ShiftOverlays(int from, int by) {
  for (int& slot : overlays_)
    if (slot >= from) slot += by;
}

}  // namespace mirto
