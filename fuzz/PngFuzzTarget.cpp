// libFuzzer target: every input is a PNG file put through load, every
// effect, drawing and saving (tests/support/PngWorkout.h). The mutator
// repairs chunk CRCs after libFuzzer's own byte mutations and mixes in the
// format-aware mutations of the robustness test, so that most inputs reach
// the decompressor and the effects instead of stopping at the CRC check.
//
//   fuzz_png --write-seeds DIR   writes a few small seed images into DIR
//   fuzz_png DIR [libFuzzer options]

#include <QDir>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/drawing/PngImage.h"
#include "tests/support/PngMutator.h"
#include "tests/support/PngWorkout.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

using namespace mirto;

// Small images of every colour type, made with the program's own encoder.
void WriteSeeds(const char* folder) {
  QDir().mkpath(QString::fromLocal8Bit(folder));
  const int types[] = {COLOR_GRAYSCALE, COLOR_RGB, COLOR_PALETTE, COLOR_GRAYSCALEALPHA,
                       COLOR_RGBALPHA};
  for (int type : types) {
    TPngImage png;
    png.CreateBlank(type, 7, 5);
    for (int y = 0; y < 5; ++y) {
      std::uint8_t* row = png.ScanLine(y);
      for (int i = 0; i < 7 * png.BytesPerPixel(); ++i) row[i] = std::uint8_t((i * 37 + y) % 3);
      if (std::uint8_t* alpha = png.AlphaScanline(y))
        for (int x = 0; x < 7; ++x) alpha[x] = std::uint8_t(x * 40);
    }
    if (type == COLOR_PALETTE) png.SetPalette({{255, 0, 255, 0}, {10, 200, 30}, {255, 0, 255}});
    if (type == COLOR_RGB) png.SetTransparentColor(RGB(1, 1, 1));
    png.AddChunk({"gAMA", {0, 0, 0xB1, 0x8F}, pcpBeforePalette});
    const std::vector<std::uint8_t> bytes = png.SaveToBytes();
    const std::string name = std::string(folder) + "/seed" + std::to_string(type) + ".png";
    if (FILE* f = std::fopen(name.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int i = 1; i + 1 < *argc; ++i) {
    if (std::strcmp((*argv)[i], "--write-seeds") == 0) {
      WriteSeeds((*argv)[i + 1]);
      std::exit(0);
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int appArgc = 1;
  static char* appArgv[] = {(*argv)[0], nullptr};
  static auto* app = new QGuiApplication(appArgc, appArgv);
  (void)app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing::PngWorkout({data, size}, [](const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
  });
  return 0;
}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
  testing::TMutationRng rng(seed);
  std::vector<std::uint8_t> file;
  if (rng.Below(2) == 0) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    file.assign(data, data + size);
    testing::RepairChunkCrcs(file);
  } else {
    file = testing::MutatePng(std::vector<std::uint8_t>(data, data + size), {}, rng);
  }
  if (file.size() > maxSize) file.resize(maxSize);
  std::memcpy(data, file.data(), file.size());
  return file.size();
}
