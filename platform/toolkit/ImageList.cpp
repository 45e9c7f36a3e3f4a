#include "platform/toolkit/ImageList.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Icon.h"
#include "platform/drawing/PicturePlacement.h"

namespace mirto {

struct TCustomImageList::Images {
  // Format_ARGB32, Width x Height each.
  std::vector<QImage> list;
};

namespace {

QImage ToArgb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

bool HasAnyAlpha(const QImage& argb) {
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(row[x]) != 0) return true;
  }
  return false;
}

// The picture of a bitmap with its own transparency: a 32-bit bitmap whose
// alpha bytes are not all zero keeps them, every other bitmap is opaque.
QImage PictureOf(const TBitmap& bitmap) {
  QImage argb = ToArgb(TBitmapAccess::Image(bitmap));
  if (bitmap.PixelFormat() == pf32bit && HasAnyAlpha(argb)) return argb;
  for (int y = 0; y < argb.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x) row[x] |= 0xFF000000u;
  }
  return argb;
}

// Clears the alpha wherever the mask is light (white = transparent).
void ApplyMask(QImage& argb, const TBitmap& mask) {
  const QImage maskImage = TBitmapAccess::Image(mask).convertToFormat(QImage::Format_RGB32);
  const int rows = std::min(argb.height(), maskImage.height());
  const int columns = std::min(argb.width(), maskImage.width());
  for (int y = 0; y < rows; ++y) {
    auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
    const auto* maskRow = reinterpret_cast<const QRgb*>(maskImage.constScanLine(y));
    for (int x = 0; x < columns; ++x)
      if (qGray(maskRow[x]) >= 128) row[x] = 0;
  }
}

// Clears the alpha of every pixel of the given colour.
void ApplyMaskColor(QImage& argb, TColor maskColor) {
  const TColor rgb = ColorToRGB(maskColor);
  const QRgb key = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0x00FFFFFF;
  for (int y = 0; y < argb.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if ((row[x] & 0x00FFFFFF) == key) row[x] = 0;
  }
}

QImage FadedGray(const QImage& argb) {
  QImage result = argb;
  for (int y = 0; y < result.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const int gray = qGray(row[x]);
      row[x] = qRgba(gray, gray, gray, qAlpha(row[x]) / 2);
    }
  }
  return result;
}

}  // namespace

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
    CallHandler(link->OnChange, nullptr);
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

// Cuts a picture into Width-wide strips, each padded or cropped to
// Width x Height; a picture narrower than Width gives one strip.
static std::vector<QImage> Strips(const QImage& picture, int width, int height) {
  std::vector<QImage> strips;
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return strips;
  const int count = std::max(1, picture.width() / width);
  for (int i = 0; i < count; ++i) strips.push_back(picture.copy(i * width, 0, width, height));
  return strips;
}

// The bitmap's picture with transparency from a mask bitmap (when given).
static QImage MaskedPicture(const TBitmap& image, const TBitmap* mask) {
  QImage picture = PictureOf(image);
  if (mask != nullptr) ApplyMask(picture, *mask);
  return picture;
}

// The bitmap's picture with one colour made transparent; clDefault takes the
// bitmap's own transparent colour, clNone keeps every pixel.
static QImage MaskedPicture(const TBitmap& image, TColor maskColor) {
  QImage picture = PictureOf(image);
  if (maskColor == clDefault) maskColor = image.TransparentColor();
  if (maskColor != clNone) ApplyMaskColor(picture, maskColor);
  return picture;
}

int TCustomImageList::InsertImages(int index, const Images& images) {
  ShiftOverlays(index, static_cast<int>(images.list.size()));
  images_->list.insert(images_->list.begin() + index, images.list.begin(), images.list.end());
  return static_cast<int>(images.list.size());
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (image == nullptr || image->Empty()) return -1;
  const int first = Count();
  if (InsertImages(first, {Strips(MaskedPicture(*image, mask), width_, height_)}) == 0) return -1;
  Change();
  return first;
}

int TCustomImageList::AddIcon(TIcon* image) {
  if (image == nullptr || image->Empty()) return -1;
  const int index = Count();
  InsertIcon(index, image);
  return Count() > index ? index : -1;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (image == nullptr || image->Empty()) return -1;
  const int first = Count();
  if (InsertImages(first, {Strips(MaskedPicture(*image, maskColor), width_, height_)}) == 0)
    return -1;
  Change();
  return first;
}

int TCustomImageList::AddImage(TCustomImageList* value, int index) {
  if (value == nullptr) return -1;
  TIcon icon;
  if (!value->GetIcon(index, &icon)) return -1;
  return AddIcon(&icon);
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
  if (index < 0 || index > Count() || image == nullptr || image->Empty()) return;
  InsertImages(index, {Strips(MaskedPicture(*image, mask), width_, height_)});
  Change();
}

void TCustomImageList::InsertIcon(int index, TIcon* image) {
  if (index < 0 || index > Count() || image == nullptr || image->Empty()) return;
  const QImage picture =
      ToArgb(TIconAccess::Image(*image))
          .scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  ShiftOverlays(index, 1);
  images_->list.insert(images_->list.begin() + index, picture);
  Change();
}

void TCustomImageList::InsertMasked(int index, TBitmap* image, TColor maskColor) {
  if (index < 0 || index > Count() || image == nullptr || image->Empty()) return;
  InsertImages(index, {Strips(MaskedPicture(*image, maskColor), width_, height_)});
  Change();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index >= Count() || image == nullptr || image->Empty()) return;
  images_->list[static_cast<std::size_t>(index)] =
      MaskedPicture(*image, mask).copy(0, 0, width_, height_);
  Change();
}

void TCustomImageList::ReplaceIcon(int index, TIcon* image) {
  if (index < 0 || index >= Count() || image == nullptr || image->Empty()) return;
  images_->list[static_cast<std::size_t>(index)] =
      ToArgb(TIconAccess::Image(*image))
          .scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* newImage, TColor maskColor) {
  if (index < 0 || index >= Count() || newImage == nullptr || newImage->Empty()) return;
  images_->list[static_cast<std::size_t>(index)] =
      MaskedPicture(*newImage, maskColor).copy(0, 0, width_, height_);
  Change();
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  const int count = Count();
  images_->list.erase(images_->list.begin() + index);
  for (int& slot : overlays_) {
    if (slot == index)
      slot = -1;
    else if (slot > index && slot < count)
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
  // An index beyond the list is kept too: the overlay shows once the list has
  // grown to it.
  overlays_[overlay] = imageIndex >= 0 ? imageIndex : -1;
  return imageIndex >= 0 && imageIndex < Count();
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
  if (canvas == nullptr || index < 0 || index >= Count()) return;
  DrawPlaced(*canvas, x, y, width_, height_, [&](const TRect& target) {
    const auto drawOne = [&](const QImage& picture) {
      const QImage shown = enabled ? picture : FadedGray(picture);
      TCanvasAccess::DrawImage(*canvas, target, shown, shown.rect());
    };
    drawOne(images_->list[static_cast<std::size_t>(index)]);
    const int mark = OverlayMarkOf(style);
    if (mark >= 1 && mark <= kMaxOverlays) {
      const int overlayIndex = overlays_[mark - 1];
      if (overlayIndex >= 0 && overlayIndex < Count())
        drawOne(images_->list[static_cast<std::size_t>(overlayIndex)]);
    }
  });
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) const {
  if (image == nullptr || index < 0 || index >= Count()) return false;
  const QImage& picture = images_->list[static_cast<std::size_t>(index)];
  image->SetPixelFormat(pf32bit);
  image->SetSize(picture.width(), picture.height());
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(image->ScanLine(y), picture.constScanLine(y),
                static_cast<std::size_t>(picture.width()) * 4);
  return true;
}

bool TCustomImageList::GetIcon(int index, TIcon* image) const {
  if (image == nullptr || index < 0 || index >= Count()) return false;
  TIconAccess::SetImage(*image, images_->list[static_cast<std::size_t>(index)]);
  return true;
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
  CallHandler(OnChange, this);
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end())
      CallHandler(link->OnChange, this);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) { links_.push_back(link); }

void TCustomImageList::UnregisterChanges(TChangeLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

// Before images are inserted at `from`: slots naming images from there on
// keep naming them; slots beyond the list keep their index.
void TCustomImageList::ShiftOverlays(int from, int by) {
  const int count = Count();
  for (int& slot : overlays_)
    if (slot >= from && slot < count) slot += by;
}

}  // namespace mirto
