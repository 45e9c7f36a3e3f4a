#pragma once

// A decoded PNG image kept in the form the drawing code works on.
//
// Whatever the file's bit depth, samples are kept at 8 bits:
// - RGB images (colour types 2 and 6): ScanLine rows hold 3 bytes per pixel,
//   blue, green, red.
// - Greyscale images (colour types 0 and 4): ScanLine rows hold 1 grey byte per
//   pixel, scaled to 0..255 from lower bit depths.
// - Palette images (colour type 3): ScanLine rows hold 1 palette index per
//   pixel; the colours (and their tRNS alpha) are in Palette().
// Colour types 4 and 6 keep their alpha in separate rows (AlphaScanline, one
// byte per pixel, 0 transparent, 255 opaque); other types have none. A single
// transparent colour (tRNS of types 0 and 2) is kept as TransparentColor.
// Ancillary chunks the decoder does not interpret (gAMA, texts, ...) are kept
// and written back on saving.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawing/Graphic.h"
#include "platform/drawing/Types.h"

class QImage;

namespace mirto {

// Raised when PNG data cannot be decoded or an image cannot be encoded; the
// message names the problem.
class EPngError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int COLOR_GRAYSCALE = 0;
constexpr int COLOR_RGB = 2;
constexpr int COLOR_PALETTE = 3;
constexpr int COLOR_GRAYSCALEALPHA = 4;
constexpr int COLOR_RGBALPHA = 6;

struct TPngHeader {
  int Width = 0;
  int Height = 0;
  // Bit depth of the file the image came from (8 for images made in memory);
  // the rows always hold 8-bit samples.
  int BitDepth = 8;
  int ColorType = COLOR_RGB;
  bool Interlaced = false;
};

struct TPngPaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Alpha = 255;  // from the tRNS chunk, 255 when it has no entry
  friend bool operator==(const TPngPaletteEntry&, const TPngPaletteEntry&) = default;
};

enum class TPngTransparencyMode {
  ptmNone,     // every pixel opaque
  ptmBit,      // one colour (or one palette entry) fully transparent, the rest opaque
  ptmPartial,  // alpha per pixel (colour types 4 and 6) or per palette entry
};
using enum TPngTransparencyMode;

// Where an ancillary chunk stands in the file, so it is written back in a
// place where its meaning holds.
enum class TPngChunkPlace { pcpBeforePalette, pcpBeforeData, pcpAfterData };
using enum TPngChunkPlace;

struct TPngChunk {
  std::string Name;  // four letters, e.g. "gAMA"
  std::vector<std::uint8_t> Data;
  TPngChunkPlace Place = pcpBeforePalette;
};

class TPngImage : public TGraphic {
 public:
  // Largest accepted side and pixel count; larger images are refused rather
  // than allocated.
  static constexpr int kMaxSide = 8192;
  static constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;
  // Largest file a load accepts: more than any image within the limits
  // above needs.
  static constexpr std::size_t kMaxFileBytes = std::size_t{128} << 20;

  TPngImage() = default;
  ~TPngImage() override = default;

  // Copies another TPngImage, or takes a bitmap's pixels as an RGB image
  // (the alpha bytes of a 32-bit bitmap are ignored, as when it is drawn).
  // Other sources raise EConvertError.
  void Assign(const TPersistent* source) override;

  bool Empty() const override { return header_.Width == 0 || header_.Height == 0; }
  int Width() const override { return header_.Width; }
  int Height() const override { return header_.Height; }
  const TPngHeader& Header() const { return header_; }
  int BytesPerPixel() const;  // of the colour rows: 3 for RGB types, else 1

  // Drops everything; the image becomes empty.
  void Clear();
  // A new image of the given colour type and size, every byte 0 (palette
  // images get an empty palette). Refuses bad types and sizes with EPngError.
  void CreateBlank(int colorType, int width, int height);

  // Colour row y (see the row formats above). Rows outside 0..Height-1
  // raise std::out_of_range, as do Pixel and PixelAlpha outside the image.
  // Asking for a writable row (colour or alpha) counts as a change of the
  // pixels for drawing: write through it before the image is drawn again,
  // not after.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  // Alpha row y, or nullptr when the image has no alpha channel.
  std::uint8_t* AlphaScanline(int y);
  const std::uint8_t* AlphaScanline(int y) const;
  bool HasAlphaChannel() const { return !alpha_.empty(); }

  // Adds an alpha channel: grey becomes grey with alpha, RGB and palette
  // images become RGB with alpha. Pixels of the transparent colour (or of a
  // palette entry's alpha) keep their transparency; the rest become opaque.
  // Nothing happens on images that already have alpha or are empty.
  void CreateAlpha();

  const std::vector<TPngPaletteEntry>& Palette() const { return palette_; }
  // Replaces the palette (at most 256 entries); palette images only.
  void SetPalette(std::vector<TPngPaletteEntry> entries);

  TPngTransparencyMode TransparencyMode() const;
  // The single transparent colour (ptmBit), clNone otherwise. For palette
  // images it is the colour of the transparent entry.
  TColor TransparentColor() const;
  // Sets (or with clNone removes) the single transparent colour of a grey or
  // RGB image without alpha; a grey image uses the colour's red byte.
  void SetTransparentColor(TColor color);

  // The colour of a pixel as RGB (palette and grey resolved) and the alpha it
  // is drawn with (alpha channel, palette alpha or transparent colour).
  TColor Pixel(int x, int y) const;
  std::uint8_t PixelAlpha(int x, int y) const;

  const std::vector<TPngChunk>& Chunks() const { return chunks_; }
  bool HasChunk(std::string_view name) const;
  // Removes every chunk of that kind; returns how many were removed.
  int RemoveChunks(std::string_view name);
  void AddChunk(TPngChunk chunk);

  // Loading replaces the image; on failure it raises EPngError and leaves the
  // image empty. Refused as well: files above kMaxFileBytes, and compressed
  // image data that runs on past the last row by more than a few kilobytes
  // (inflating it would cost time for nothing), so that no file costs much
  // more to refuse than its image would cost to load.
  void LoadFromBytes(std::span<const std::uint8_t> data);
  void LoadFromBytes(const QByteArray& data);
  void LoadFromStream(std::istream& stream);
  void LoadFromFile(const QString& fileName);
  // Loads the embedded picture name at scale 1 or 2 (EmbeddedPictures.h).
  // Returns false and leaves the image empty when there is no such picture.
  // At scale 1 the picture's separate drawing at scale 2, where there is
  // one, becomes its detail image.
  bool LoadFromResourceName(const QString& name, int scale = 1);

  // A drawing of the same picture at exactly twice the size, which Draw
  // shows instead on targets of an even DeviceFactor. Anything that changes
  // the image's pixels drops it (the PNG effects apply themselves to it as
  // well); copies share it. A picture of another size, or an empty image,
  // is not kept.
  void SetDetailImage(std::shared_ptr<const TPngImage> twice);
  // The detail image. One that came with an embedded picture is decoded the
  // first time it is asked for, so screens that never need it never pay for
  // it; should it prove damaged then, the picture has none.
  std::shared_ptr<const TPngImage> DetailImage() const;

  // Encodes the image (8 bits per sample, not interlaced, chunks kept).
  std::vector<std::uint8_t> SaveToBytes() const;
  void SaveToStream(std::ostream& stream) const;
  void SaveToFile(const QString& fileName) const;

  // Draws the image into rect, blended by its alpha (palette alpha and the
  // transparent colour included), nearest-pixel scaled to the rect's size.
  // On a target of an even factor the detail image, where there is one,
  // stands in for the image.
  // The picture converted for drawing is kept until the image changes.
  void Draw(TCanvas& canvas, const TRect& rect) const override;

 private:
  void Reset();          // Clear without notification
  void PixelsChanged();  // drops the kept picture and notifies
  void Decode(std::span<const std::uint8_t> data);
  void CheckRow(int y) const;
  // Keeps chunks that describe samples valid after a change of colour type.
  void DropColorDependentChunks();

  TPngHeader header_;
  std::vector<std::uint8_t> pixels_;
  std::vector<std::uint8_t> alpha_;
  std::vector<TPngPaletteEntry> palette_;
  TColor transparentColor_ = clNone;  // types 0 and 2 only
  std::vector<TPngChunk> chunks_;
  friend class TPngImageAccess;
  // The image converted for drawing, built when first needed after a change.
  mutable std::shared_ptr<const QImage> devicePicture_;
  // Shared by copies, so whichever copy first needs the drawing decodes it
  // for all of them.
  class TDetail;
  std::shared_ptr<TDetail> detail_;
};

}  // namespace mirto
