#pragma once

// The base image list: a numbered collection of equally sized images that
// actions, menus and buttons draw by index. Every operation that changes the
// collection is virtual, so a derived list that keeps its images in another
// form (the PNG image list) can replace all of them and still be reached
// through this interface. The base keeps 32-bit images with alpha.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/drawing/Types.h"
#include "platform/toolkit/Component.h"

namespace mirto {

class TBitmap;
class TCanvas;
class TIcon;
class TCustomImageList;

// Overlay slots 0..14; an image drawn with overlay n gets the slot's image on top.
using TOverlay = std::uint8_t;
constexpr int kMaxOverlays = 15;

// Drawing style bits passed to DoDraw. Bits 8 to 11 carry an overlay mark
// n = slot + 1 (1 to 15); IndexToOverlayMask builds them.
constexpr unsigned ILD_NORMAL = 0x0000;
constexpr unsigned ILD_TRANSPARENT = 0x0001;
constexpr unsigned ILD_OVERLAYMASK = 0x0F00;
constexpr unsigned IndexToOverlayMask(unsigned mark) { return (mark & 0x0F) << 8; }
constexpr int OverlayMarkOf(unsigned style) {
  return static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
}

// A listener's connection to an image list: OnChange is called with the list
// as sender after every change. The list forgets the link when the link is
// destroyed, and the link forgets the list (Sender() becomes null, OnChange
// fires with null) when the list is destroyed first.
class TChangeLink : public TObject {
 public:
  TChangeLink() = default;
  ~TChangeLink() override;

  TCustomImageList* Sender() const { return sender_; }
  // Registers with list (or unregisters for null).
  void SetSender(TCustomImageList* list);

  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner = nullptr);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size drops every image (the images cannot be rescaled); setting
  // the current size again keeps them. Sizes below 1 are ignored.
  virtual void SetWidth(int width);
  virtual void SetHeight(int height);
  void SetSize(int width, int height);

  virtual int Count() const;

  // Adding: a bitmap wider than Width holds several images side by side and
  // adds Width-wide strips (a narrower one adds a single image). Each returns
  // the index of the first image added, or -1 when nothing was added (no or
  // empty image).
  // Mask: a monochrome bitmap, black where the image shows and white where it
  // is transparent; without a mask the image is opaque.
  virtual int Add(TBitmap* image, TBitmap* mask);
  virtual int AddIcon(TIcon* image);
  // Pixels of maskColor become transparent.
  virtual int AddMasked(TBitmap* image, TColor maskColor);
  // Copies image index of another list; -1 when it has no such image.
  virtual int AddImage(TCustomImageList* value, int index);
  // Appends every image of value.
  virtual void AddImages(TCustomImageList* value);

  // Inserting at 0..Count (Count appends); other indexes are ignored.
  virtual void Insert(int index, TBitmap* image, TBitmap* mask);
  virtual void InsertIcon(int index, TIcon* image);
  virtual void InsertMasked(int index, TBitmap* image, TColor maskColor);

  // Replacing the image at index; an index outside the list is ignored.
  virtual void Replace(int index, TBitmap* image, TBitmap* mask);
  virtual void ReplaceIcon(int index, TIcon* image);
  virtual void ReplaceMasked(int index, TBitmap* newImage, TColor maskColor);

  // Indexes outside 0..Count-1 are ignored.
  virtual void Delete(int index);
  virtual void Move(int curIndex, int newIndex);
  virtual void Clear();

  // Makes image imageIndex the picture of overlay slot overlay (0..14).
  // Returns whether imageIndex is an image of the list; an index beyond the
  // list is stored all the same and shows once the list reaches it (a
  // negative one empties the slot). A slot outside 0..14 gives false and
  // changes nothing.
  virtual bool Overlay(int imageIndex, TOverlay overlay);
  // Image of an overlay slot, -1 for none.
  int OverlayImage(TOverlay overlay) const;

  // Draws image index with its top-left corner at (x, y); nothing for an
  // index outside the list. Disabled images are drawn greyed and faded.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  // The same with the picture of an overlay slot drawn on top.
  void DrawOverlay(TCanvas* canvas, int x, int y, int index, TOverlay overlay, bool enabled = true);

  // Copies image index into bitmap (resized to Width x Height, 32-bit with
  // alpha) or icon. Returns false and leaves the target alone for an index
  // outside the list.
  virtual bool GetBitmap(int index, TBitmap* image) const;
  virtual bool GetIcon(int index, TIcon* image) const;

  // Change notification is held back between BeginUpdate and EndUpdate and
  // sent once when the outermost EndUpdate closes after a change.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  bool Updating() const { return updateDepth_ > 0; }

  TNotifyEvent OnChange;

 protected:
  // Tells OnChange and every change link, unless an update is open.
  virtual void Change();
  // The drawing all Draw calls end in. style carries ILD_* bits and an
  // overlay mark; a derived list draws its own images here.
  virtual void DoDraw(int index, TCanvas* canvas, int x, int y, unsigned style, bool enabled);

 private:
  friend class TChangeLink;
  struct Images;

  void RegisterChanges(TChangeLink* link);
  void UnregisterChanges(TChangeLink* link);
  // Moves overlay slots naming pictures at or after from by `by` places.
  void ShiftOverlays(int from, int by);
  // Inserts images at index, keeping overlay slots on their pictures;
  // returns how many were inserted. Does not notify.
  int InsertImages(int index, const Images& images);

  int width_ = 16;
  int height_ = 16;
  std::unique_ptr<Images> images_;
  int overlays_[kMaxOverlays];
  std::vector<TChangeLink*> links_;
  int updateDepth_ = 0;
  bool changedWhileUpdating_ = false;
};

// The plain image list a window places on its layout.
class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace mirto
