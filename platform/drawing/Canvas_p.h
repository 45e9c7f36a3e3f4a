#pragma once

// Platform-internal: binds canvases to Qt images and reaches the images
// behind bitmaps and icons. Only platform .cpp files include this header.

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "platform/drawing/PngImage.h"
#include "platform/drawing/QtConversions_p.h"

namespace mirto {

class TCanvasAccess {
 public:
  // Binds the canvas to image (not owned; it must outlive the binding) or,
  // with nullptr, unbinds it. Any active painter is ended first. The image's
  // device pixel ratio, rounded to a whole factor, sets the canvas's
  // DeviceFactor; the painter scales by the ratio itself.
  static void Bind(TCanvas& canvas, QImage* image);
  // The whole factor of an image's device pixel ratio (1 below 1.5).
  static int DeviceFactorOf(const QImage& image);

  // The target image, with all pending painting finished so that its bits
  // may be read and written directly. nullptr when unbound.
  static QImage* Image(TCanvas& canvas);
  static const QImage* Image(const TCanvas& canvas);

  // Finishes pending painting (ends the painter) without unbinding.
  static void Flush(const TCanvas& canvas);

  // The area being repainted, in device coordinates: painting never reaches
  // outside it. Cleared, the whole target may be painted.
  static void SetPaintArea(TCanvas& canvas, const TRect& deviceRect);
  static void ClearPaintArea(TCanvas& canvas);

  // The painter over the target, set up for logical coordinates (window
  // origin), the canvas clip, no antialiasing and source-over composition;
  // nullptr when the canvas is unbound or the clip is empty. Callers that
  // change the painter's state must restore it (QPainter::save/restore).
  static QPainter* Painter(TCanvas& canvas);

  // Draws sourceRect of image into dest (logical coordinates), blended by the
  // image's alpha, scaled with nearest-pixel sampling when the sizes differ.
  // A destination wider or higher than 2^24 pixels draws nothing.
  static void DrawImage(TCanvas& canvas, const TRect& dest, const QImage& image,
                        const QRect& sourceRect);

  // Copies sourceRect of source into dest (logical coordinates), opaque,
  // nearest-pixel scaled when the sizes differ; source pixels whose colour
  // (0xRRGGBB) equals *transparent are left out. source may be the canvas's
  // own target.
  static void Blit(TCanvas& canvas, const TRect& dest, const QImage& source,
                   const TRect& sourceRect, const QRgb* transparent = nullptr);

  // Effective clip in device coordinates (image bounds, paint area and clip
  // region combined); empty when the canvas is unbound.
  static TRect DeviceClip(const TCanvas& canvas);

  // Bytes of the snapshot an in-place parallelogram blit keeps for the next
  // turn of a bitmap the same size (on this thread); only small ones stay.
  static std::size_t KeptTurnSnapshotBytes();
};

class TBitmapAccess {
 public:
  // The bitmap's pixels (Format_BGR888 for pf24bit, Format_ARGB32 for
  // pf32bit), with pending painting of its canvas finished.
  static QImage& Image(TBitmap& bitmap);
  static const QImage& Image(const TBitmap& bitmap);
};

class TPngImageAccess {
 public:
  // The image's pixels as Format_ARGB32, made once and kept until the image
  // changes (the picture Draw shows); null when the image is empty.
  static const QImage& Picture(const TPngImage& png);
};

class TIconAccess {
 public:
  // The icon's pixels as Format_ARGB32 (null when empty).
  static const QImage& Image(const TIcon& icon);
  static void SetImage(TIcon& icon, const QImage& image);
  // Several drawings of one picture (null ones are left out).
  static void SetImages(TIcon& icon, const std::vector<QImage>& images);
  // Every size of the icon, for windows and the tray; null when empty.
  static QIcon NativeIcon(const TIcon& icon);
};

}  // namespace mirto
