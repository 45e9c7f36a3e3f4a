#pragma once

// An icon: a picture with a full alpha channel, drawn blended. An icon may
// hold the same picture drawn for several sizes; it then reports the size of
// the largest, draws the one that fits the target best and hands all of them
// to the desktop.

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/drawing/Graphic.h"

namespace mirto {

class TBitmap;

class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;

  int Width() const override;
  int Height() const override;

  // Loads an icon from encoded image data (ICO, PNG, BMP, ...). On failure
  // returns false and leaves the icon empty.
  bool LoadFromData(const QByteArray& data);
  // Loads every size of the embedded icon name ("name-16", "name-32", ...,
  // EmbeddedPictures.h), or the single embedded picture name when there are no
  // sizes. Returns false and leaves the icon empty when there is neither.
  bool LoadFromResourceName(const QString& name);
  // How many sizes the icon holds (0 when empty).
  int SizeCount() const;

  // The colour picture as a 32-bit bitmap (B, G, R, A rows, alpha kept).
  void GetColorBitmap(TBitmap& dest) const;
  // The mask as a 24-bit bitmap: black where the icon shows, white where it
  // is fully transparent.
  void GetMaskBitmap(TBitmap& dest) const;
  // Icons here always carry an alpha channel.
  static constexpr bool SupportsAlpha() { return true; }

  // Takes another icon, or a bitmap: a 32-bit bitmap keeps its alpha bytes,
  // a 24-bit one becomes opaque (its transparent colour transparent when
  // the bitmap is Transparent).
  void Assign(const TPersistent* source) override;

  void Draw(TCanvas& canvas, const TRect& rect) const override;

 private:
  friend class TIconAccess;
  struct Image;

  std::unique_ptr<Image> image_;
};

}  // namespace mirto
