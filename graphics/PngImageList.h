#pragma once

// An image list that keeps named PNG images and draws them with their alpha,
// greyed and faded (PngOptions) for disabled items. Every operation of the
// base image list reaches this list's own version, so actions and menus that
// hold it as a plain image list see the PNG images.

#include <QString>
#include <QStringList>
#include <memory>

#include "graphics/PngFunctions.h"
#include "platform/drawing/PngImage.h"
#include "platform/toolkit/Collection.h"
#include "platform/toolkit/ImageList.h"

namespace mirto {

class TPngImageList;

class TPngImageCollectionItem : public TCollectionItem {
 public:
  // Named "PngImage<n>" after the position it takes when appended.
  explicit TPngImageCollectionItem(TCollection* collection);
  ~TPngImageCollectionItem() override;

  // Colour under the image where a consumer cannot blend its alpha.
  TColor Background() const { return background_; }
  void SetBackground(TColor value);

  const QString& Name() const { return name_; }
  void SetName(const QString& value);

  // The image; nullptr only for an item made without one, until an image is
  // assigned.
  TPngImage* PngImage() const { return png_.get(); }
  // Copies value (nullptr gives an empty image).
  void SetPngImage(const TPngImage* value);
  // The image, made empty first when the item has none yet.
  TPngImage& EnsurePngImage();

  // Copies image, background and name of another item.
  void Assign(const TPersistent* source) override;
  QString DisplayName() const override;

 private:
  friend class TPngImageCollectionItems;
  void DropPngImage() { png_.reset(); }

  TColor background_ = clBtnFace;
  QString name_;
  std::unique_ptr<TPngImage> png_;
};

class TPngImageCollectionItems : public TCollectionOf<TPngImageCollectionItem> {
 public:
  explicit TPngImageCollectionItems(TPngImageList* owner);

  // New items, without an image when dontCreatePng is true.
  TPngImageCollectionItem* Add(bool dontCreatePng = false);
  TPngImageCollectionItem* Insert(int index, bool dontCreatePng = false);

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TPngImageList* list_;
};

class TPngImageList : public TCustomImageList {
 public:
  explicit TPngImageList(TComponent* owner = nullptr);
  ~TPngImageList() override;

  // Appends a copy of image with its background; -1 (nothing added) without
  // an image.
  int AddPng(const TPngImage* image, TColor background = clBtnFace);
  // The same at index 0..Count (other indexes add nothing).
  void InsertPng(int index, const TPngImage* image, TColor background = clBtnFace);

  int Count() const override;

  // Bitmaps, icons and images of other lists are converted to PNG images
  // (background clNone). Mask bitmaps are black where the image shows.
  // Pictures larger than a PNG image can be (more than 8,192 pixels a side,
  // see RequirePngSize) are refused with EPngError before anything is added,
  // inserted or replaced.
  int Add(TBitmap* image, TBitmap* mask) override;
  int AddIcon(TIcon* image) override;
  int AddMasked(TBitmap* image, TColor maskColor) override;
  int AddImage(TCustomImageList* value, int index) override;
  void AddImages(TCustomImageList* value) override;
  void Insert(int index, TBitmap* image, TBitmap* mask) override;
  void InsertIcon(int index, TIcon* image) override;
  void InsertMasked(int index, TBitmap* image, TColor maskColor) override;

  // Convert into the image of item index (its background stays). An index
  // outside the list raises EAssertionFailed("Dest is nil!") and changes
  // nothing.
  void Replace(int index, TBitmap* image, TBitmap* mask) override;
  void ReplaceIcon(int index, TIcon* image) override;
  void ReplaceMasked(int index, TBitmap* newImage, TColor maskColor) override;

  void Delete(int index) override;
  void Move(int curIndex, int newIndex) override;
  void Clear() override;

  // Pictures for consumers that take copies: the image over nothing, with
  // the disabled effects when EnabledImages is false.
  bool GetBitmap(int index, TBitmap* image) const override;
  bool GetIcon(int index, TIcon* image) const override;

  // First item whose name equals name ignoring case, -1 if none.
  int FindIndexByName(const QString& name) const;
  // Name of item index, empty outside the list.
  QString GetImageName(int index) const;
  // Appends every name in index order.
  void ListImageNames(QStringList& target) const;

  bool EnabledImages() const { return enabledImages_; }
  void SetEnabledImages(bool value);
  TPngOptions PngOptions() const { return pngOptions_; }
  void SetPngOptions(TPngOptions value);

  TPngImageCollectionItems& PngImages() { return *pngImages_; }
  const TPngImageCollectionItems& PngImages() const { return *pngImages_; }
  // Copies the items of value.
  void SetPngImages(const TPngImageCollectionItems& value);

 protected:
  // The image into (x, y, x + Width, y + Height), then the picture of the
  // overlay slot named by style, both with PngOptions when disabled.
  void DoDraw(int index, TCanvas* canvas, int x, int y, unsigned style, bool enabled) override;

 private:
  friend class TPngImageCollectionItems;
  void CollectionChanged() { Change(); }
  TPngImage* ReplaceTarget(int index);
  // The image of item index with the effects GetBitmap/GetIcon show, or
  // nullptr when there is none.
  bool RenderImage(int index, TPngImage& out) const;

  bool enabledImages_ = true;
  TPngOptions pngOptions_{pngBlendOnDisabled};
  std::unique_ptr<TPngImageCollectionItems> pngImages_;
};

// dest becomes image index of list: a copy of the PNG image for a PNG image
// list; for other lists the icon's colours with alpha 255 where its mask is
// black and 0 elsewhere. An index without an image leaves dest unchanged.
void CopyPngFromImageList(TPngImage* dest, TCustomImageList* list, int index);

}  // namespace mirto
