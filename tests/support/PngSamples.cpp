#include "tests/support/PngSamples.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace mirto::testing {

namespace {

struct Writer {
  char message[200] = {};
  std::vector<std::uint8_t>* out = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  const RawPng* image = nullptr;
  png_bytepp rows = nullptr;
  png_color palette[256] = {};
  png_unknown_chunk chunks[8] = {};
  int chunkCount = 0;
};

extern "C" void OnError(png_structp png, png_const_charp message) {
  auto* w = static_cast<Writer*>(png_get_error_ptr(png));
  std::snprintf(w->message, sizeof w->message, "%s", message);
  png_longjmp(png, 1);
}

extern "C" void OnWarning(png_structp, png_const_charp) {}

bool Append(std::vector<std::uint8_t>* out, const std::uint8_t* data, std::size_t n) noexcept {
  try {
    out->insert(out->end(), data, data + n);
    return true;
  } catch (...) {
    return false;
  }
}

extern "C" void OnWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* w = static_cast<Writer*>(png_get_io_ptr(png));
  if (!Append(w->out, data, n)) png_error(png, "out of memory");
}

extern "C" void OnFlush(png_structp) {}

// Only plain data lives in this frame: libpng may longjmp back here.
bool Write(Writer* w) {
  if (setjmp(png_jmpbuf(w->png))) return false;
  const RawPng& im = *w->image;
  png_set_write_fn(w->png, w, OnWrite, OnFlush);
  png_set_IHDR(w->png, w->info, im.width, im.height, im.bitDepth, im.colorType,
               im.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!im.palette.empty()) {
    png_set_PLTE(w->png, w->info, w->palette, static_cast<int>(im.palette.size()));
  }
  if (!im.paletteAlpha.empty()) {
    png_set_tRNS(w->png, w->info, im.paletteAlpha.data(), static_cast<int>(im.paletteAlpha.size()),
                 nullptr);
  } else if (im.transparent) {
    png_color_16 value = {};
    value.gray = (*im.transparent)[0];
    value.red = (*im.transparent)[0];
    value.green = (*im.transparent)[1];
    value.blue = (*im.transparent)[2];
    png_set_tRNS(w->png, w->info, nullptr, 0, &value);
  }
  if (w->chunkCount > 0) {
    png_set_keep_unknown_chunks(w->png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, 0);
    png_set_unknown_chunks(w->png, w->info, w->chunks, w->chunkCount);
  }
  png_write_info(w->png, w->info);
  if (im.interlaced) png_set_interlace_handling(w->png);
  png_write_image(w->png, w->rows);
  png_write_end(w->png, w->info);
  return true;
}

std::vector<std::uint8_t> PackRow(const RawPng& im, int y) {
  const int channels = ChannelCount(im.colorType);
  const std::size_t perRow = std::size_t(im.width) * channels;
  const std::uint16_t* s = im.samples.data() + perRow * y;
  std::vector<std::uint8_t> row;
  if (im.bitDepth == 16) {
    for (std::size_t i = 0; i < perRow; ++i) {
      row.push_back(static_cast<std::uint8_t>(s[i] >> 8));
      row.push_back(static_cast<std::uint8_t>(s[i] & 0xFF));
    }
  } else if (im.bitDepth == 8) {
    for (std::size_t i = 0; i < perRow; ++i) row.push_back(static_cast<std::uint8_t>(s[i]));
  } else {
    const int perByte = 8 / im.bitDepth;
    row.assign((perRow + perByte - 1) / perByte, 0);
    for (std::size_t i = 0; i < perRow; ++i) {
      const int shift = 8 - im.bitDepth * (1 + int(i % perByte));
      row[i / perByte] |= static_cast<std::uint8_t>(s[i] << shift);
    }
  }
  return row;
}

}  // namespace

int ChannelCount(int colorType) {
  switch (colorType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

std::vector<std::uint8_t> EncodeRawPng(const RawPng& image) {
  if (image.samples.size() !=
      std::size_t(image.width) * image.height * ChannelCount(image.colorType)) {
    throw std::runtime_error("sample count does not match the image size");
  }
  std::vector<std::vector<std::uint8_t>> packed;
  for (int y = 0; y < image.height; ++y) packed.push_back(PackRow(image, y));
  std::vector<png_bytep> rows;
  for (auto& r : packed) rows.push_back(r.data());

  std::vector<std::uint8_t> out;
  Writer w;
  w.out = &out;
  w.image = &image;
  w.rows = rows.data();
  for (std::size_t i = 0; i < image.palette.size() && i < 256; ++i) {
    w.palette[i] = {image.palette[i][0], image.palette[i][1], image.palette[i][2]};
  }
  for (const auto& [name, data] : image.extraChunks) {
    if (w.chunkCount == 8) break;
    png_unknown_chunk& c = w.chunks[w.chunkCount++];
    std::memcpy(c.name, name.c_str(), 5);
    c.data = const_cast<png_bytep>(data.data());
    c.size = data.size();
    c.location = PNG_HAVE_IHDR;
  }
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w, OnError, OnWarning);
  w.info = png_create_info_struct(w.png);
  const bool ok = Write(&w);
  png_destroy_write_struct(&w.png, &w.info);
  if (!ok) throw std::runtime_error(std::string("test encoder: ") + w.message);
  return out;
}

std::vector<std::uint8_t> MakeChunk(const std::string& name,
                                    const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> chunk;
  const auto n = static_cast<std::uint32_t>(data.size());
  for (int shift : {24, 16, 8, 0}) chunk.push_back(static_cast<std::uint8_t>(n >> shift));
  chunk.insert(chunk.end(), name.begin(), name.end());
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), chunk.data() + 4, 4 + n);
  for (int shift : {24, 16, 8, 0}) chunk.push_back(static_cast<std::uint8_t>(crc >> shift));
  return chunk;
}

long FindChunk(const std::vector<std::uint8_t>& file, const std::string& name) {
  std::size_t pos = 8;
  while (pos + 8 <= file.size()) {
    const std::uint32_t length = (std::uint32_t{file[pos]} << 24) |
                                 (std::uint32_t{file[pos + 1]} << 16) |
                                 (std::uint32_t{file[pos + 2]} << 8) | file[pos + 3];
    if (std::memcmp(&file[pos + 4], name.c_str(), 4) == 0) return long(pos);
    pos += 12 + std::size_t{length};
  }
  return -1;
}

void FixChunkCrc(std::vector<std::uint8_t>& file, long offset) {
  const std::size_t pos = std::size_t(offset);
  const std::uint32_t length = (std::uint32_t{file[pos]} << 24) |
                               (std::uint32_t{file[pos + 1]} << 16) |
                               (std::uint32_t{file[pos + 2]} << 8) | file[pos + 3];
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), &file[pos + 4], 4 + length);
  for (int i = 0; i < 4; ++i) {
    file[pos + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  }
}

}  // namespace mirto::testing
