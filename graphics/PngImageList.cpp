#include "graphics/PngImageList.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "platform/drawing/PicturePlacement.h"

namespace mirto {

namespace {

bool HasPixels(const TGraphic* graphic) { return graphic != nullptr && !graphic->Empty(); }

// Fills bitmap (Width x Height of the list, 32-bit with alpha) from png,
// nearest-pixel scaled; an empty png gives a fully transparent bitmap.
void RenderToBitmap(const TPngImage& png, int width, int height, TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = row + x * 4;
      if (png.Empty()) {
        p[0] = p[1] = p[2] = p[3] = 0;
        continue;
      }
      const int sx = int(std::int64_t(x) * png.Width() / width);
      const int sy = int(std::int64_t(y) * png.Height() / height);
      const TColor c = png.Pixel(sx, sy);
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
      p[3] = png.PixelAlpha(sx, sy);
    }
  }
}

// Copies image index of list into dest; false (dest untouched) when the list
// has no such image.
bool CopyPng(TPngImage& dest, TCustomImageList& list, int index) {
  if (auto* pngList = dynamic_cast<TPngImageList*>(&list)) {
    const TPngImageCollectionItem* item = pngList->PngImages().Items(index);
    if (item == nullptr || item->PngImage() == nullptr) return false;
    dest.Assign(item->PngImage());
    return true;
  }
  TIcon icon;
  if (!list.GetIcon(index, &icon)) return false;
  RequirePngSize(icon.Width(), icon.Height());
  TBitmap colors, mask;
  icon.GetColorBitmap(colors);
  colors.SetPixelFormat(pf24bit);
  icon.GetMaskBitmap(mask);
  TPngImage result;
  result.Assign(&colors);
  result.CreateAlpha();
  for (int y = 0; y < result.Height() && y < mask.Height(); ++y) {
    std::uint8_t* alpha = result.AlphaScanline(y);
    const std::uint8_t* m = mask.ScanLine(y);
    for (int x = 0; x < result.Width() && x < mask.Width(); ++x) {
      const std::uint8_t* p = m + x * mask.BytesPerPixel();
      alpha[x] = (p[0] | p[1] | p[2]) == 0 ? 255 : 0;
    }
  }
  dest.Assign(&result);
  return true;
}

}  // namespace

// --- items --------------------------------------------------------------------

TPngImageCollectionItem::TPngImageCollectionItem(TCollection* collection)
    : TCollectionItem(collection) {
  name_ = QString("PngImage%1").arg(Index());
  EnsurePngImage();
}

TPngImageCollectionItem::~TPngImageCollectionItem() = default;

void TPngImageCollectionItem::SetBackground(TColor value) {
  if (value == background_) return;
  background_ = value;
  Changed(false);
}

void TPngImageCollectionItem::SetName(const QString& value) { name_ = value; }

TPngImage& TPngImageCollectionItem::EnsurePngImage() {
  if (!png_) {
    png_ = std::make_unique<TPngImage>();
    // Edits made on the image itself (loading, effects) reach the list.
    png_->OnChange = [this](TObject*) { Changed(false); };
  }
  return *png_;
}

void TPngImageCollectionItem::SetPngImage(const TPngImage* value) {
  TPngImage& png = EnsurePngImage();
  if (value != nullptr) {
    png.Assign(value);
  } else {
    png.Clear();
  }
}

void TPngImageCollectionItem::Assign(const TPersistent* source) {
  if (const auto* item = dynamic_cast<const TPngImageCollectionItem*>(source)) {
    if (item == this) return;
    SetPngImage(item->PngImage());
    background_ = item->background_;
    name_ = item->name_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

QString TPngImageCollectionItem::DisplayName() const {
  return name_.isEmpty() ? TCollectionItem::DisplayName() : name_;
}

// --- collection ---------------------------------------------------------------

TPngImageCollectionItems::TPngImageCollectionItems(TPngImageList* owner)
    : TCollectionOf<TPngImageCollectionItem>(owner), list_(owner) {}

TPngImageCollectionItem* TPngImageCollectionItems::Add(bool dontCreatePng) {
  TPngImageCollectionItem* item = TCollectionOf::Add();
  if (dontCreatePng) item->DropPngImage();
  return item;
}

TPngImageCollectionItem* TPngImageCollectionItems::Insert(int index, bool dontCreatePng) {
  TPngImageCollectionItem* item = TCollectionOf::Insert(index);
  if (dontCreatePng) item->DropPngImage();
  return item;
}

void TPngImageCollectionItems::Update(TCollectionItem* item) {
  TCollectionOf::Update(item);
  if (list_ != nullptr) list_->CollectionChanged();
}

// --- image list ---------------------------------------------------------------

TPngImageList::TPngImageList(TComponent* owner)
    : TCustomImageList(owner), pngImages_(std::make_unique<TPngImageCollectionItems>(this)) {}

TPngImageList::~TPngImageList() = default;

int TPngImageList::Count() const { return pngImages_->Count(); }

int TPngImageList::AddPng(const TPngImage* image, TColor background) {
  if (image == nullptr) return -1;
  BeginUpdate();  // one notification for the new item, its image and colour
  TPngImageCollectionItem* item = pngImages_->Add();
  item->SetPngImage(image);
  item->SetBackground(background);
  EndUpdate();
  return item->Index();
}

void TPngImageList::InsertPng(int index, const TPngImage* image, TColor background) {
  if (image == nullptr || index < 0 || index > Count()) return;
  BeginUpdate();
  TPngImageCollectionItem* item = pngImages_->Insert(index);
  item->SetPngImage(image);
  item->SetBackground(background);
  EndUpdate();
}

int TPngImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!HasPixels(image)) return -1;
  TPngImage png;
  PngFromBitmapMask(image, mask, &png, true);
  return AddPng(&png, clNone);
}

int TPngImageList::AddIcon(TIcon* image) {
  if (!HasPixels(image)) return -1;
  TPngImage png;
  PngFromGraphic(image, &png);
  return AddPng(&png, clNone);
}

int TPngImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!HasPixels(image)) return -1;
  TPngImage png;
  PngFromBitmapTransparent(image, maskColor, &png);
  return AddPng(&png, clNone);
}

int TPngImageList::AddImage(TCustomImageList* value, int index) {
  TPngImage png;
  if (value == nullptr || !CopyPng(png, *value, index)) return -1;
  return AddPng(&png, clNone);
}

void TPngImageList::AddImages(TCustomImageList* value) {
  if (value == nullptr) return;
  BeginUpdate();
  // Counted once, so that adding the list to itself doubles it and stops.
  const int count = value->Count();
  for (int i = 0; i < count; ++i) AddImage(value, i);
  EndUpdate();
}

void TPngImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
  if (!HasPixels(image)) return;
  TPngImage png;
  PngFromBitmapMask(image, mask, &png, true);
  InsertPng(index, &png, clNone);
}

void TPngImageList::InsertIcon(int index, TIcon* image) {
  if (!HasPixels(image)) return;
  TPngImage png;
  PngFromGraphic(image, &png);
  InsertPng(index, &png, clNone);
}

void TPngImageList::InsertMasked(int index, TBitmap* image, TColor maskColor) {
  if (!HasPixels(image)) return;
  TPngImage png;
  PngFromBitmapTransparent(image, maskColor, &png);
  InsertPng(index, &png, clNone);
}

TPngImage* TPngImageList::ReplaceTarget(int index) {
  TPngImageCollectionItem* item = pngImages_->Items(index);
  return item != nullptr ? &item->EnsurePngImage() : nullptr;
}

// The conversions build their result aside and only then assign it, so a
// refused replace (no item: "Dest is nil!") leaves every item as it was.
void TPngImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  PngFromBitmapMask(image, mask, ReplaceTarget(index), true);
}

void TPngImageList::ReplaceIcon(int index, TIcon* image) {
  PngFromGraphic(image, ReplaceTarget(index));
}

void TPngImageList::ReplaceMasked(int index, TBitmap* newImage, TColor maskColor) {
  PngFromBitmapTransparent(newImage, maskColor, ReplaceTarget(index));
}

void TPngImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  pngImages_->Delete(index);
}

void TPngImageList::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count()) return;
  pngImages_->Items(curIndex)->SetIndex(newIndex);
}

void TPngImageList::Clear() {
  BeginUpdate();
  pngImages_->Clear();
  TCustomImageList::Clear();  // overlay slots, notification
  EndUpdate();
}

bool TPngImageList::RenderImage(int index, TPngImage& out) const {
  const TPngImageCollectionItem* item = pngImages_->Items(index);
  if (item == nullptr || item->PngImage() == nullptr) return false;
  out.Assign(item->PngImage());
  if (!enabledImages_) {
    if (pngOptions_.Contains(pngBlendOnDisabled)) PngApplyBlend(&out, 127);
    if (pngOptions_.Contains(pngGrayscaleOnDisabled)) PngApplyGrayscale(&out, 255);
  }
  return true;
}

bool TPngImageList::GetBitmap(int index, TBitmap* image) const {
  TPngImage png;
  if (image == nullptr || !RenderImage(index, png)) return false;
  RenderToBitmap(png, Width(), Height(), *image);
  return true;
}

bool TPngImageList::GetIcon(int index, TIcon* image) const {
  TPngImage png;
  if (image == nullptr || !RenderImage(index, png)) return false;
  TBitmap bitmap;
  RenderToBitmap(png, Width(), Height(), bitmap);
  image->Assign(&bitmap);
  return true;
}

int TPngImageList::FindIndexByName(const QString& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (pngImages_->Items(i)->Name().compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString TPngImageList::GetImageName(int index) const {
  const TPngImageCollectionItem* item = pngImages_->Items(index);
  return item != nullptr ? item->Name() : QString();
}

void TPngImageList::ListImageNames(QStringList& target) const {
  for (int i = 0; i < Count(); ++i) target.append(pngImages_->Items(i)->Name());
}

void TPngImageList::SetEnabledImages(bool value) {
  if (value == enabledImages_) return;
  enabledImages_ = value;
  Change();
}

void TPngImageList::SetPngOptions(TPngOptions value) {
  if (value == pngOptions_) return;
  pngOptions_ = value;
  Change();
}

void TPngImageList::SetPngImages(const TPngImageCollectionItems& value) {
  if (&value == pngImages_.get()) return;
  BeginUpdate();
  pngImages_->Assign(&value);
  Change();
  EndUpdate();
}

void TPngImageList::DoDraw(int index, TCanvas* canvas, int x, int y, unsigned style, bool enabled) {
  if (canvas == nullptr) return;
  const TPngOptions effects = enabled ? TPngOptions{} : pngOptions_;
  DrawPlaced(*canvas, x, y, Width(), Height(), [&](const TRect& rect) {
    if (const TPngImageCollectionItem* item = pngImages_->Items(index)) {
      DrawPngWithEffects(item->PngImage(), *canvas, rect, effects);
    }
    const int mark = OverlayMarkOf(style);
    if (mark >= 1 && mark <= kMaxOverlays) {
      const int overlay = OverlayImage(static_cast<TOverlay>(mark - 1));
      if (const TPngImageCollectionItem* item = pngImages_->Items(overlay)) {
        DrawPngWithEffects(item->PngImage(), *canvas, rect, effects);
      }
    }
  });
}

void CopyPngFromImageList(TPngImage* dest, TCustomImageList* list, int index) {
  if (dest == nullptr || list == nullptr) return;
  CopyPng(*dest, *list, index);
}

}  // namespace mirto
