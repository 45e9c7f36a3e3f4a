#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/drawing/PngCodec_p.h"

// The reader's guards follow the chunks through libpng's reading state.
#ifndef PNG_IO_STATE_SUPPORTED
#error "libpng without PNG_IO_STATE_SUPPORTED"
#endif

namespace mirto {

namespace {

// libpng reports errors by longjmp back to the setjmp of the function that
// called it. The functions holding a setjmp below keep only plain C data in
// their frames, and the callbacks libpng calls hold no C++ objects either,
// so the jump never skips a destructor. C++ containers live in the callers'
// frames and are sized between the libpng phases.

constexpr std::size_t kMessageSize = 200;

struct ErrorSink {
  char message[kMessageSize] = {};
  // The message is complete as it stands: one of the reader's own guards
  // refused the file.
  bool complete = false;
};

void StoreMessage(ErrorSink* sink, const char* text) {
  std::snprintf(sink->message, kMessageSize, "%s", text != nullptr ? text : "unknown error");
}

extern "C" void OnPngError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
  if (!sink->complete) StoreMessage(sink, message);
  png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

// Once every row is in, libpng inflates whatever compressed image data is
// left, however much it inflates to. So once the last row is asked for, the
// image data still to come may be at most that row (stored, in the worst
// case) and this many bytes for an encoder's closing blocks and checksum;
// more is data no row needs, which could cost seconds to inflate, and the
// file is refused. A load thus inflates at most its image's rows plus about
// 12 MB.
constexpr std::size_t kImageDataSlack = 4096;

struct ReadContext {
  ErrorSink errors;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  // What the guards have seen of the chunks libpng read so far.
  bool seenHeader = false, seenData = false, dataEnded = false;
  char chunk[5] = {};
  // Set once the last row is asked for: how much image data may still come.
  bool lastRowAsked = false;
  std::size_t imageDataLeft = 0;
  // Filled by ReadHeaderPhase.
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0, interlace = 0, passes = 1;
  std::size_t rowBytes = 0;
  png_color palette[256] = {};
  int paletteCount = 0;
  png_byte paletteAlpha[256] = {};
  int paletteAlphaCount = 0;
  bool hasTransparentValue = false;
  png_color_16 transparentValue = {};
};

[[noreturn]] void Refuse(ReadContext* ctx, const char* message) {
  StoreMessage(&ctx->errors, message);
  ctx->errors.complete = true;
  png_error(ctx->png, message);
}

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

// The refusals libpng does not make itself (or makes too late), checked on
// each chunk header as libpng reads it: the whole chunk's CRC before any of
// its data reaches the decoder, the order of the chunks, unknown critical
// chunks. Names that are not letters are left to libpng.
void GuardChunkHeader(ReadContext* ctx, const std::uint8_t* header) {
  const std::uint8_t* type = header + 4;
  if (!std::all_of(type, type + 4, IsPngChunkLetter)) return;
  std::memcpy(ctx->chunk, type, 4);
  const std::string_view name(ctx->chunk, 4);
  char message[kMessageSize];
  const std::uint32_t length = ReadBigEndian32(header);
  const std::size_t rest = ctx->size - ctx->pos - 8;  // a chunk cut short is left to the reads
  if (std::size_t{length} <= rest && rest - length >= 4) {
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), type, 4 + length);
    if (static_cast<std::uint32_t>(crc) != ReadBigEndian32(type + 4 + length)) {
      std::snprintf(message, kMessageSize, "Corrupt PNG data: CRC error in chunk %s", ctx->chunk);
      Refuse(ctx, message);
    }
  }
  if (!ctx->seenHeader) {
    if (name != "IHDR") Refuse(ctx, "Invalid PNG data: IHDR is not first");
    ctx->seenHeader = true;
    return;
  }
  if (name == "IDAT") {
    if (ctx->dataEnded) Refuse(ctx, "Invalid PNG data: IDAT chunks are not consecutive");
    ctx->seenData = true;
    return;
  }
  if (ctx->seenData) ctx->dataEnded = true;
  if (name == "PLTE" && ctx->seenData) {
    Refuse(ctx, "Invalid PNG data: PLTE after the image data");
  }
  if ((type[0] & 0x20) == 0 && !IsModelledPngChunk(name)) {
    std::snprintf(message, kMessageSize, "Unsupported PNG data: unknown critical chunk %s",
                  ctx->chunk);
    Refuse(ctx, message);
  }
}

// The header's size, and the image data asked for after the last row.
void GuardChunkData(ReadContext* ctx, const std::uint8_t* data, std::size_t count) {
  const std::string_view name(ctx->chunk, 4);
  if (name == "IHDR" && count == 13) {
    const std::uint32_t width = ReadBigEndian32(data);
    const std::uint32_t height = ReadBigEndian32(data + 4);
    if (width == 0 || height == 0) Refuse(ctx, "Invalid PNG data: the image has no pixels");
    if (width > std::uint32_t{TPngImage::kMaxSide} || height > std::uint32_t{TPngImage::kMaxSide} ||
        std::uint64_t{width} * height > std::uint64_t(TPngImage::kMaxPixels)) {
      char message[kMessageSize];
      std::snprintf(message, kMessageSize, "PNG image too large: %u x %u pixels", unsigned{width},
                    unsigned{height});
      Refuse(ctx, message);
    }
  } else if (name == "IDAT" && ctx->lastRowAsked) {
    if (count > ctx->imageDataLeft) {
      Refuse(ctx, "Invalid PNG data: the compressed image data runs on past the last row");
    }
    ctx->imageDataLeft -= count;
  }
}

extern "C" void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* ctx = static_cast<ReadContext*>(png_get_io_ptr(png));
  if (count > ctx->size - ctx->pos) Refuse(ctx, "Truncated PNG data: the file ends early");
  const std::uint8_t* from = ctx->data + ctx->pos;
  const png_uint_32 state = png_get_io_state(png);
  if ((state & PNG_IO_CHUNK_HDR) != 0 && count == 8) {
    GuardChunkHeader(ctx, from);
  } else if ((state & PNG_IO_CHUNK_DATA) != 0) {
    GuardChunkData(ctx, from, count);
  }
  std::memcpy(out, from, count);
  ctx->pos += count;
}

bool ReadHeaderPhase(ReadContext* ctx) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_set_read_fn(ctx->png, ctx, ReadFromMemory);
  png_set_sig_bytes(ctx->png, 8);  // checked by DecodePng
  png_set_user_limits(ctx->png, TPngImage::kMaxSide, TPngImage::kMaxSide);
  png_set_chunk_malloc_max(ctx->png, 64u * 1024u * 1024u);
  // The guards check every chunk's CRC before libpng reads the chunk.
  png_set_crc_action(ctx->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  // Every ancillary chunk, known to libpng or not, is kept as it stands
  // (all but IHDR, PLTE, tRNS, IDAT and IEND, which libpng reads); unknown
  // critical chunks are refused.
  png_set_keep_unknown_chunks(ctx->png, PNG_HANDLE_CHUNK_IF_SAFE, nullptr, -1);
  png_read_info(ctx->png, ctx->info);
  png_get_IHDR(ctx->png, ctx->info, &ctx->width, &ctx->height, &ctx->bitDepth, &ctx->colorType,
               &ctx->interlace, nullptr, nullptr);

  png_colorp palette = nullptr;
  int paletteCount = 0;
  if (png_get_PLTE(ctx->png, ctx->info, &palette, &paletteCount) != 0) {
    ctx->paletteCount = std::clamp(paletteCount, 0, 256);
    std::memcpy(ctx->palette, palette, sizeof(png_color) * ctx->paletteCount);
  }
  png_bytep alpha = nullptr;
  int alphaCount = 0;
  png_color_16p value = nullptr;
  if (png_get_tRNS(ctx->png, ctx->info, &alpha, &alphaCount, &value) != 0) {
    if (ctx->colorType == PNG_COLOR_TYPE_PALETTE && alpha != nullptr) {
      ctx->paletteAlphaCount = std::clamp(alphaCount, 0, 256);
      std::memcpy(ctx->paletteAlpha, alpha, ctx->paletteAlphaCount);
    } else if (value != nullptr) {
      ctx->hasTransparentValue = true;
      ctx->transparentValue = *value;
    }
  }

  if (ctx->bitDepth == 16) png_set_scale_16(ctx->png);
  if (ctx->colorType == PNG_COLOR_TYPE_PALETTE && ctx->bitDepth < 8) png_set_packing(ctx->png);
  if (ctx->colorType == PNG_COLOR_TYPE_GRAY && ctx->bitDepth < 8) {
    png_set_expand_gray_1_2_4_to_8(ctx->png);
  }
  if ((ctx->colorType & PNG_COLOR_MASK_COLOR) != 0 && ctx->colorType != PNG_COLOR_TYPE_PALETTE) {
    png_set_bgr(ctx->png);
  }
  ctx->passes = png_set_interlace_handling(ctx->png);
  png_read_update_info(ctx->png, ctx->info);
  ctx->rowBytes = png_get_rowbytes(ctx->png, ctx->info);
  return true;
}

bool ReadRowsPhase(ReadContext* ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  // Row by row as png_read_image does, every pass over every row.
  const int height = static_cast<int>(ctx->height);
  const std::size_t lastRowAtMost = (ctx->rowBytes + 1) + (ctx->rowBytes + 1) / 64 + 16;
  for (int pass = 0; pass < ctx->passes; ++pass) {
    for (int y = 0; y < height; ++y) {
      if (pass == ctx->passes - 1 && y == height - 1) {
        ctx->lastRowAsked = true;
        ctx->imageDataLeft = lastRowAtMost + kImageDataSlack;
      }
      png_read_row(ctx->png, rows[y], nullptr);
    }
  }
  png_read_end(ctx->png, ctx->info);  // the chunks after the image data
  return true;
}

struct ReadStructGuard {
  ReadContext* ctx;
  ~ReadStructGuard() { png_destroy_read_struct(&ctx->png, &ctx->info, nullptr); }
};

// Scales a sample of the given bit depth to 8 bits the way the decoder does.
std::uint8_t ScaleSample(unsigned value, int bitDepth) {
  if (bitDepth == 8) return static_cast<std::uint8_t>(value);
  if (bitDepth == 16) return static_cast<std::uint8_t>((value * 255u + 32767u) / 65535u);
  const unsigned maxValue = (1u << bitDepth) - 1u;
  return static_cast<std::uint8_t>(std::min(value, maxValue) * 255u / maxValue);
}

struct WriteContext {
  ErrorSink errors;
  std::vector<std::uint8_t>* out = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0, height = 0;
  int colorType = 0;
  const png_color* palette = nullptr;
  int paletteCount = 0;
  const png_byte* paletteAlpha = nullptr;
  int paletteAlphaCount = 0;
  bool hasTransparentValue = false;
  png_color_16 transparentValue = {};
  png_unknown_chunkp chunks = nullptr;
  int chunkCount = 0;
};

bool AppendBytes(std::vector<std::uint8_t>* out, const std::uint8_t* data,
                 std::size_t count) noexcept {
  try {
    out->insert(out->end(), data, data + count);
    return true;
  } catch (...) {
    return false;
  }
}

extern "C" void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
  auto* ctx = static_cast<WriteContext*>(png_get_io_ptr(png));
  if (!AppendBytes(ctx->out, data, count)) png_error(png, "Out of memory while encoding");
}

extern "C" void FlushMemory(png_structp) {}

bool WritePhase(WriteContext* ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_set_write_fn(ctx->png, ctx, WriteToMemory, FlushMemory);
  png_set_IHDR(ctx->png, ctx->info, ctx->width, ctx->height, 8, ctx->colorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (ctx->colorType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(ctx->png, ctx->info, ctx->palette, ctx->paletteCount);
    if (ctx->paletteAlphaCount > 0) {
      png_set_tRNS(ctx->png, ctx->info, ctx->paletteAlpha, ctx->paletteAlphaCount, nullptr);
    }
  } else if (ctx->hasTransparentValue) {
    png_set_tRNS(ctx->png, ctx->info, nullptr, 0, &ctx->transparentValue);
  }
  if (ctx->chunkCount > 0) {
    png_set_keep_unknown_chunks(ctx->png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, 0);
    png_set_unknown_chunks(ctx->png, ctx->info, ctx->chunks, ctx->chunkCount);
  }
  png_write_info(ctx->png, ctx->info);
  if (ctx->colorType == PNG_COLOR_TYPE_RGB || ctx->colorType == PNG_COLOR_TYPE_RGB_ALPHA) {
    png_set_bgr(ctx->png);
  }
  png_write_image(ctx->png, rows);
  png_write_end(ctx->png, ctx->info);
  return true;
}

struct WriteStructGuard {
  WriteContext* ctx;
  ~WriteStructGuard() { png_destroy_write_struct(&ctx->png, &ctx->info); }
};

png_byte ChunkLocation(TPngChunkPlace place) {
  switch (place) {
    case pcpBeforePalette:
      return PNG_HAVE_IHDR;
    case pcpBeforeData:
      return PNG_HAVE_PLTE;
    case pcpAfterData:
      return PNG_AFTER_IDAT;
  }
  return PNG_HAVE_IHDR;
}

TPngChunkPlace PlaceOf(png_byte location) {
  if ((location & PNG_AFTER_IDAT) != 0) return pcpAfterData;
  if ((location & PNG_HAVE_PLTE) != 0) return pcpBeforeData;
  return pcpBeforePalette;
}

EPngError ReadError(const ErrorSink& errors) {
  return EPngError(errors.complete ? std::string(errors.message)
                                   : std::string("Invalid PNG data: ") + errors.message);
}

}  // namespace

bool IsPngChunkLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsModelledPngChunk(std::string_view name) {
  return name == "IHDR" || name == "PLTE" || name == "IDAT" || name == "IEND" || name == "tRNS";
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> DeclaredPngSize(
    std::span<const std::uint8_t> data) {
  // The signature, then the first chunk's length and name, then its data.
  if (data.size() < 24 || png_sig_cmp(data.data(), 0, 8) != 0 ||
      std::memcmp(data.data() + 12, "IHDR", 4) != 0)
    return std::nullopt;
  return std::pair(ReadBigEndian32(data.data() + 16), ReadBigEndian32(data.data() + 20));
}

TPngPixels DecodePng(std::span<const std::uint8_t> data) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
    throw EPngError("Not a PNG image: the PNG signature is missing");
  }
  ReadContext ctx;
  ctx.data = data.data();
  ctx.size = data.size();
  ctx.pos = 8;
  ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx.errors, OnPngError, OnPngWarning);
  if (ctx.png == nullptr) throw EPngError("Cannot decode PNG data: out of memory");
  ReadStructGuard guard{&ctx};
  ctx.info = png_create_info_struct(ctx.png);
  if (ctx.info == nullptr) throw EPngError("Cannot decode PNG data: out of memory");

  if (!ReadHeaderPhase(&ctx)) throw ReadError(ctx.errors);
  const int colorType = ctx.colorType;
  const int width = static_cast<int>(ctx.width);
  const int height = static_cast<int>(ctx.height);
  const int channels = colorType == COLOR_RGBALPHA         ? 4
                       : colorType == COLOR_RGB            ? 3
                       : colorType == COLOR_GRAYSCALEALPHA ? 2
                                                           : 1;
  if (ctx.rowBytes != std::size_t(width) * channels) {
    throw EPngError("Cannot decode PNG data: unexpected row layout");
  }
  std::vector<std::uint8_t> buffer(ctx.rowBytes * std::size_t(height));
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = buffer.data() + ctx.rowBytes * y;
  if (!ReadRowsPhase(&ctx, rows.data())) throw ReadError(ctx.errors);

  TPngHeader header{width, height, ctx.bitDepth, colorType, ctx.interlace != PNG_INTERLACE_NONE};
  std::vector<std::uint8_t> pixels, alpha;
  const std::size_t count = std::size_t(width) * height;
  if (colorType == COLOR_RGBALPHA || colorType == COLOR_GRAYSCALEALPHA) {
    const int colourBytes = channels - 1;
    pixels.resize(count * colourBytes);
    alpha.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* src = &buffer[i * channels];
      std::copy(src, src + colourBytes, &pixels[i * colourBytes]);
      alpha[i] = src[colourBytes];
    }
  } else {
    pixels = std::move(buffer);
  }

  std::vector<TPngPaletteEntry> palette;
  if (colorType == COLOR_PALETTE) {
    for (int i = 0; i < ctx.paletteCount; ++i) {
      const std::uint8_t a = i < ctx.paletteAlphaCount ? ctx.paletteAlpha[i] : 255;
      palette.push_back({ctx.palette[i].red, ctx.palette[i].green, ctx.palette[i].blue, a});
    }
  }
  TColor transparent = clNone;
  if (ctx.hasTransparentValue) {
    const png_color_16& v = ctx.transparentValue;
    if (colorType == COLOR_GRAYSCALE) {
      const std::uint8_t grey = ScaleSample(v.gray, ctx.bitDepth);
      transparent = RGB(grey, grey, grey);
    } else if (colorType == COLOR_RGB) {
      transparent = RGB(ScaleSample(v.red, ctx.bitDepth), ScaleSample(v.green, ctx.bitDepth),
                        ScaleSample(v.blue, ctx.bitDepth));
    }
  }

  std::vector<TPngChunk> chunks;
  png_unknown_chunkp kept = nullptr;
  const int keptCount = png_get_unknown_chunks(ctx.png, ctx.info, &kept);
  for (int i = 0; i < keptCount; ++i) {
    const png_unknown_chunk& c = kept[i];
    chunks.push_back({std::string(reinterpret_cast<const char*>(c.name), 4),
                      std::vector<std::uint8_t>(c.data, c.data + c.size), PlaceOf(c.location)});
  }

  return {header,      std::move(pixels), std::move(alpha), std::move(palette),
          transparent, std::move(chunks)};
}

std::vector<std::uint8_t> EncodePng(const TPngHeader& header, const std::uint8_t* rows,
                                    int channels, const std::vector<TPngPaletteEntry>& palette,
                                    TColor transparentColor, const std::vector<TPngChunk>& chunks) {
  std::vector<png_bytep> rowPointers(static_cast<std::size_t>(header.Height));
  for (int y = 0; y < header.Height; ++y) {
    rowPointers[y] = const_cast<png_bytep>(rows) + std::size_t(y) * header.Width * channels;
  }
  std::vector<png_color> colours;
  std::vector<png_byte> paletteAlpha;
  for (const TPngPaletteEntry& e : palette) {
    colours.push_back({e.Red, e.Green, e.Blue});
    paletteAlpha.push_back(e.Alpha);
  }
  if (header.ColorType == COLOR_PALETTE) {
    // Indexes past the palette are drawn black and opaque; the file must list
    // an entry for every index it uses, so such entries are written out.
    const std::size_t count = std::size_t(header.Width) * header.Height;
    const std::size_t used = std::size_t(*std::max_element(rows, rows + count)) + 1;
    if (colours.size() < used) {
      colours.resize(used, png_color{0, 0, 0});
      paletteAlpha.resize(used, 255);
    }
  }
  // tRNS only needs the entries up to the last non-opaque one.
  while (!paletteAlpha.empty() && paletteAlpha.back() == 255) paletteAlpha.pop_back();

  std::vector<png_unknown_chunk> unknown(chunks.size());
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    std::memcpy(unknown[i].name, chunks[i].Name.c_str(), 5);
    unknown[i].data = const_cast<png_bytep>(chunks[i].Data.data());
    unknown[i].size = chunks[i].Data.size();
    unknown[i].location = ChunkLocation(chunks[i].Place);
  }

  std::vector<std::uint8_t> out;
  WriteContext ctx;
  ctx.out = &out;
  ctx.width = static_cast<png_uint_32>(header.Width);
  ctx.height = static_cast<png_uint_32>(header.Height);
  ctx.colorType = header.ColorType;
  ctx.palette = colours.data();
  ctx.paletteCount = static_cast<int>(colours.size());
  ctx.paletteAlpha = paletteAlpha.data();
  ctx.paletteAlphaCount = static_cast<int>(paletteAlpha.size());
  if (transparentColor != clNone) {
    ctx.hasTransparentValue = true;
    ctx.transparentValue.red = GetRValue(transparentColor);
    ctx.transparentValue.green = GetGValue(transparentColor);
    ctx.transparentValue.blue = GetBValue(transparentColor);
    ctx.transparentValue.gray = GetRValue(transparentColor);
  }
  ctx.chunks = unknown.data();
  ctx.chunkCount = static_cast<int>(unknown.size());
  ctx.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx.errors, OnPngError, OnPngWarning);
  if (ctx.png == nullptr) throw EPngError("Cannot encode PNG image: out of memory");
  WriteStructGuard guard{&ctx};
  ctx.info = png_create_info_struct(ctx.png);
  if (ctx.info == nullptr) throw EPngError("Cannot encode PNG image: out of memory");
  if (!WritePhase(&ctx, rowPointers.data())) {
    throw EPngError(std::string("Cannot encode PNG image: ") + ctx.errors.message);
  }
  return out;
}

}  // namespace mirto
