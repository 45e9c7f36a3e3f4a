#include "platform/drawing/PngImage.h"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>
#include <utility>

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/EmbeddedPictures.h"
#include "platform/drawing/PngCodec_p.h"

namespace mirto {

namespace {

bool ValidColorType(int colorType) {
  return colorType == COLOR_GRAYSCALE || colorType == COLOR_RGB || colorType == COLOR_PALETTE ||
         colorType == COLOR_GRAYSCALEALPHA || colorType == COLOR_RGBALPHA;
}

bool ColorTypeHasAlpha(int colorType) {
  return colorType == COLOR_GRAYSCALEALPHA || colorType == COLOR_RGBALPHA;
}

}  // namespace

// A detail image, or the encoded picture it is decoded from when first
// needed.
class TPngImage::TDetail {
 public:
  explicit TDetail(std::shared_ptr<const TPngImage> image) : image_(std::move(image)) {}
  TDetail(QByteArray encoded, int width, int height)
      : encoded_(std::move(encoded)), width_(width), height_(height) {}

  const std::shared_ptr<const TPngImage>& Image() {
    if (!encoded_.isEmpty()) {
      auto image = std::make_shared<TPngImage>();
      try {
        image->LoadFromBytes(encoded_);
        if (image->Width() == width_ && image->Height() == height_) image_ = std::move(image);
      } catch (const EPngError&) {
        // A damaged drawing leaves the picture without one.
      }
      encoded_.clear();
    }
    return image_;
  }

 private:
  std::shared_ptr<const TPngImage> image_;
  QByteArray encoded_;
  int width_ = 0;
  int height_ = 0;
};

// ---------------------------------------------------------------------------

void TPngImage::Assign(const TPersistent* source) {
  if (const auto* png = dynamic_cast<const TPngImage*>(source)) {
    if (png == this) return;
    header_ = png->header_;
    pixels_ = png->pixels_;
    alpha_ = png->alpha_;
    palette_ = png->palette_;
    transparentColor_ = png->transparentColor_;
    chunks_ = png->chunks_;
    PixelsChanged();
    detail_ = png->detail_;
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap->Empty()) {
      Clear();
      return;
    }
    CreateBlank(COLOR_RGB, bitmap->Width(), bitmap->Height());
    const int step = bitmap->BytesPerPixel();
    for (int y = 0; y < header_.Height; ++y) {
      const std::uint8_t* from = bitmap->ScanLine(y);
      std::uint8_t* to = ScanLine(y);
      for (int x = 0; x < header_.Width; ++x) std::copy_n(from + x * step, 3, to + x * 3);
    }
    PixelsChanged();
    return;
  }
  TPersistent::Assign(source);
}

int TPngImage::BytesPerPixel() const {
  return header_.ColorType == COLOR_RGB || header_.ColorType == COLOR_RGBALPHA ? 3 : 1;
}

void TPngImage::Clear() {
  Reset();
  PixelsChanged();
}

void TPngImage::PixelsChanged() {
  devicePicture_.reset();
  detail_.reset();
  Changed();
}

void TPngImage::SetDetailImage(std::shared_ptr<const TPngImage> twice) {
  if (twice && (Empty() || twice->Width() != 2 * Width() || twice->Height() != 2 * Height()))
    twice.reset();
  if (twice == DetailImage()) return;
  detail_ = twice ? std::make_shared<TDetail>(std::move(twice)) : nullptr;
  Changed();
}

std::shared_ptr<const TPngImage> TPngImage::DetailImage() const {
  return detail_ ? detail_->Image() : nullptr;
}

void TPngImage::Reset() {
  devicePicture_.reset();
  detail_.reset();
  header_ = TPngHeader{};
  pixels_.clear();
  alpha_.clear();
  palette_.clear();
  transparentColor_ = clNone;
  chunks_.clear();
}

void TPngImage::CreateBlank(int colorType, int width, int height) {
  if (!ValidColorType(colorType)) {
    throw EPngError("Invalid PNG colour type " + std::to_string(colorType));
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      std::int64_t{width} * height > kMaxPixels) {
    throw EPngError("Invalid PNG image size " + std::to_string(width) + " x " +
                    std::to_string(height));
  }
  Reset();
  header_ = TPngHeader{width, height, 8, colorType, false};
  const std::size_t count = std::size_t(width) * std::size_t(height);
  pixels_.assign(count * BytesPerPixel(), 0);
  if (ColorTypeHasAlpha(colorType)) alpha_.assign(count, 0);
  PixelsChanged();
}

void TPngImage::CheckRow(int y) const {
  if (y < 0 || y >= header_.Height) {
    throw std::out_of_range("PNG row " + std::to_string(y) + " out of range");
  }
}

std::uint8_t* TPngImage::ScanLine(int y) {
  CheckRow(y);
  devicePicture_.reset();
  detail_.reset();
  return pixels_.data() + std::size_t(y) * header_.Width * BytesPerPixel();
}

const std::uint8_t* TPngImage::ScanLine(int y) const {
  CheckRow(y);
  return pixels_.data() + std::size_t(y) * header_.Width * BytesPerPixel();
}

std::uint8_t* TPngImage::AlphaScanline(int y) {
  if (alpha_.empty()) return nullptr;
  CheckRow(y);
  devicePicture_.reset();
  detail_.reset();
  return alpha_.data() + std::size_t(y) * header_.Width;
}

const std::uint8_t* TPngImage::AlphaScanline(int y) const {
  if (alpha_.empty()) return nullptr;
  CheckRow(y);
  return alpha_.data() + std::size_t(y) * header_.Width;
}

void TPngImage::CreateAlpha() {
  if (Empty() || HasAlphaChannel()) return;
  const std::size_t count = std::size_t(header_.Width) * header_.Height;
  std::vector<std::uint8_t> alpha(count, 255);
  switch (header_.ColorType) {
    case COLOR_GRAYSCALE:
      if (transparentColor_ != clNone) {
        const std::uint8_t grey = GetRValue(transparentColor_);
        for (std::size_t i = 0; i < count; ++i) {
          if (pixels_[i] == grey) alpha[i] = 0;
        }
      }
      header_.ColorType = COLOR_GRAYSCALEALPHA;
      break;
    case COLOR_RGB:
      if (transparentColor_ != clNone) {
        const std::uint8_t r = GetRValue(transparentColor_), g = GetGValue(transparentColor_),
                           b = GetBValue(transparentColor_);
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint8_t* p = &pixels_[i * 3];
          if (p[0] == b && p[1] == g && p[2] == r) alpha[i] = 0;
        }
      }
      header_.ColorType = COLOR_RGBALPHA;
      break;
    case COLOR_PALETTE: {
      std::vector<std::uint8_t> colours(count * 3, 0);
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t index = pixels_[i];
        if (index >= palette_.size()) continue;  // black, opaque
        const TPngPaletteEntry& e = palette_[index];
        colours[i * 3] = e.Blue;
        colours[i * 3 + 1] = e.Green;
        colours[i * 3 + 2] = e.Red;
        alpha[i] = e.Alpha;
      }
      pixels_ = std::move(colours);
      palette_.clear();
      header_.ColorType = COLOR_RGBALPHA;
      break;
    }
    default:
      return;
  }
  alpha_ = std::move(alpha);
  transparentColor_ = clNone;
  header_.BitDepth = 8;
  DropColorDependentChunks();
  PixelsChanged();
}

void TPngImage::DropColorDependentChunks() {
  // Background colour, histogram and significant bits describe samples of the
  // old colour type.
  RemoveChunks("bKGD");
  RemoveChunks("hIST");
  RemoveChunks("sBIT");
}

void TPngImage::SetPalette(std::vector<TPngPaletteEntry> entries) {
  if (header_.ColorType != COLOR_PALETTE || Empty()) {
    throw EPngError("Only palette images have a palette");
  }
  if (entries.size() > 256) throw EPngError("A PNG palette holds at most 256 entries");
  palette_ = std::move(entries);
  PixelsChanged();
}

TPngTransparencyMode TPngImage::TransparencyMode() const {
  if (HasAlphaChannel()) return ptmPartial;
  if (header_.ColorType == COLOR_PALETTE) {
    int transparent = 0;
    for (const TPngPaletteEntry& e : palette_) {
      if (e.Alpha == 0) {
        ++transparent;
      } else if (e.Alpha != 255) {
        return ptmPartial;
      }
    }
    if (transparent == 0) return ptmNone;
    return transparent == 1 ? ptmBit : ptmPartial;
  }
  return transparentColor_ != clNone ? ptmBit : ptmNone;
}

TColor TPngImage::TransparentColor() const {
  if (header_.ColorType == COLOR_PALETTE) {
    if (TransparencyMode() != ptmBit) return clNone;
    for (const TPngPaletteEntry& e : palette_) {
      if (e.Alpha == 0) return RGB(e.Red, e.Green, e.Blue);
    }
    return clNone;
  }
  return transparentColor_;
}

void TPngImage::SetTransparentColor(TColor color) {
  if (color == clNone) {
    transparentColor_ = clNone;
    PixelsChanged();
    return;
  }
  if (header_.ColorType != COLOR_GRAYSCALE && header_.ColorType != COLOR_RGB) {
    throw EPngError("Only grey and RGB images without alpha take a transparent colour");
  }
  color = ColorToRGB(color) & 0xFFFFFF;
  if (header_.ColorType == COLOR_GRAYSCALE) {
    const std::uint8_t grey = GetRValue(color);
    color = RGB(grey, grey, grey);
  }
  transparentColor_ = color;
  PixelsChanged();
}

TColor TPngImage::Pixel(int x, int y) const {
  if (x < 0 || x >= header_.Width) throw std::out_of_range("PNG column out of range");
  const std::uint8_t* row = ScanLine(y);
  switch (header_.ColorType) {
    case COLOR_RGB:
    case COLOR_RGBALPHA: {
      const std::uint8_t* p = row + std::size_t(x) * 3;
      return RGB(p[2], p[1], p[0]);
    }
    case COLOR_PALETTE: {
      const std::uint8_t index = row[x];
      if (index >= palette_.size()) return clBlack;
      const TPngPaletteEntry& e = palette_[index];
      return RGB(e.Red, e.Green, e.Blue);
    }
    default:
      return RGB(row[x], row[x], row[x]);
  }
}

std::uint8_t TPngImage::PixelAlpha(int x, int y) const {
  if (x < 0 || x >= header_.Width) throw std::out_of_range("PNG column out of range");
  if (const std::uint8_t* alpha = AlphaScanline(y)) return alpha[x];
  if (header_.ColorType == COLOR_PALETTE) {
    const std::uint8_t index = ScanLine(y)[x];
    return index < palette_.size() ? palette_[index].Alpha : 255;
  }
  if (transparentColor_ != clNone && Pixel(x, y) == transparentColor_) return 0;
  return 255;
}

bool TPngImage::HasChunk(std::string_view name) const {
  return std::any_of(chunks_.begin(), chunks_.end(),
                     [&](const TPngChunk& c) { return c.Name == name; });
}

int TPngImage::RemoveChunks(std::string_view name) {
  const auto removed = std::erase_if(chunks_, [&](const TPngChunk& c) { return c.Name == name; });
  return static_cast<int>(removed);
}

void TPngImage::AddChunk(TPngChunk chunk) {
  if (chunk.Name.size() != 4 || !std::all_of(chunk.Name.begin(), chunk.Name.end(), [](char c) {
        return IsPngChunkLetter(static_cast<std::uint8_t>(c));
      })) {
    throw EPngError("Invalid PNG chunk name \"" + chunk.Name + "\"");
  }
  if ((chunk.Name[0] & 0x20) == 0 || IsModelledPngChunk(chunk.Name)) {
    throw EPngError("Chunk " + chunk.Name + " cannot be added as an ancillary chunk");
  }
  chunks_.push_back(std::move(chunk));
}

// ---------------------------------------------------------------------------

void TPngImage::LoadFromBytes(std::span<const std::uint8_t> data) {
  try {
    Decode(data);
  } catch (...) {
    // Listeners must learn that the image they showed is gone.
    Reset();
    PixelsChanged();
    throw;
  }
}

namespace {

EPngError FileTooLarge(std::size_t size) {
  return EPngError("PNG data too large: " + std::to_string(size) + " bytes, at most " +
                   std::to_string(TPngImage::kMaxFileBytes) + " are accepted");
}

}  // namespace

void TPngImage::Decode(std::span<const std::uint8_t> data) {
  Reset();
  if (data.size() > kMaxFileBytes) throw FileTooLarge(data.size());
  TPngPixels decoded = DecodePng(data);
  header_ = decoded.Header;
  pixels_ = std::move(decoded.Pixels);
  alpha_ = std::move(decoded.Alpha);
  palette_ = std::move(decoded.Palette);
  transparentColor_ = decoded.TransparentColor;
  chunks_ = std::move(decoded.Chunks);
  PixelsChanged();
}

void TPngImage::LoadFromBytes(const QByteArray& data) {
  LoadFromBytes(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())));
}

void TPngImage::LoadFromStream(std::istream& stream) {
  Reset();
  // Read in pieces, and no further than one byte past what a load accepts.
  std::vector<std::uint8_t> data;
  constexpr std::size_t kPiece = 1 << 16;
  while (stream && data.size() <= kMaxFileBytes) {
    const std::size_t have = data.size();
    data.resize(have + kPiece);
    stream.read(reinterpret_cast<char*>(data.data() + have), std::streamsize(kPiece));
    data.resize(have + static_cast<std::size_t>(stream.gcount()));
  }
  if (stream.bad()) throw EPngError("Cannot read PNG data from the stream");
  LoadFromBytes(data);
}

void TPngImage::LoadFromFile(const QString& fileName) {
  Reset();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw EPngError("Cannot open PNG file \"" + fileName.toStdString() +
                    "\": " + file.errorString().toStdString());
  }
  if (!file.isSequential() && file.size() > qint64(kMaxFileBytes)) {
    throw FileTooLarge(static_cast<std::size_t>(file.size()));
  }
  LoadFromBytes(file.readAll());
}

bool TPngImage::LoadFromResourceName(const QString& name, int scale) {
  const QByteArray data = EmbeddedPicture(name, scale);
  if (data.isEmpty()) {
    Clear();
    return false;
  }
  try {
    LoadFromBytes(data);
  } catch (const EPngError&) {
    return false;  // LoadFromBytes left the image empty
  }
  if (scale == 1) {
    QByteArray twice = EmbeddedPicture(name, 2);
    const auto declared = DeclaredPngSize(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(twice.constData()), std::size_t(twice.size())));
    if (declared == std::pair(2 * std::uint32_t(Width()), 2 * std::uint32_t(Height()))) {
      detail_ = std::make_shared<TDetail>(std::move(twice), 2 * Width(), 2 * Height());
      Changed();
    }
  }
  return true;
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
  if (Empty()) throw EPngError("Cannot encode an empty PNG image");
  const int width = header_.Width, height = header_.Height;
  const int colourBytes = BytesPerPixel();
  const int channels = colourBytes + (HasAlphaChannel() ? 1 : 0);
  const std::size_t count = std::size_t(width) * height;

  // Interleave the separate alpha rows back into the file's pixel layout.
  std::vector<std::uint8_t> interleaved;
  const std::uint8_t* source = pixels_.data();
  if (HasAlphaChannel()) {
    interleaved.resize(count * channels);
    for (std::size_t i = 0; i < count; ++i) {
      std::copy_n(&pixels_[i * colourBytes], colourBytes, &interleaved[i * channels]);
      interleaved[i * channels + colourBytes] = alpha_[i];
    }
    source = interleaved.data();
  }
  return EncodePng(header_, source, channels, palette_, transparentColor_, chunks_);
}

void TPngImage::Draw(TCanvas& canvas, const TRect& rect) const {
  if (Empty() || rect.IsEmpty()) return;
  if (canvas.DeviceFactor() % 2 == 0) {
    if (const std::shared_ptr<const TPngImage> detail = DetailImage()) {
      detail->Draw(canvas, rect);
      return;
    }
  }
  const QImage& picture = TPngImageAccess::Picture(*this);
  TCanvasAccess::DrawImage(canvas, rect, picture, picture.rect());
}

const QImage& TPngImageAccess::Picture(const TPngImage& png) {
  static const QImage kNone;
  if (png.Empty()) return kNone;
  if (!png.devicePicture_) {
    const TPngHeader& header = png.header_;
    auto image = std::make_shared<QImage>(header.Width, header.Height, QImage::Format_ARGB32);
    for (int y = 0; y < header.Height; ++y) {
      auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
      for (int x = 0; x < header.Width; ++x) {
        const TColor c = png.Pixel(x, y);
        out[x] = qRgba(GetRValue(c), GetGValue(c), GetBValue(c), png.PixelAlpha(x, y));
      }
    }
    png.devicePicture_ = std::move(image);
  }
  return *png.devicePicture_;
}

void TPngImage::SaveToStream(std::ostream& stream) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  stream.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!stream) throw EPngError("Cannot write PNG data to the stream");
}

void TPngImage::SaveToFile(const QString& fileName) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(data.data()), qint64(data.size())) !=
          qint64(data.size())) {
    throw EPngError("Cannot write PNG file \"" + fileName.toStdString() +
                    "\": " + file.errorString().toStdString());
  }
}

}  // namespace mirto
