// Cost of absurd or hostile input: the angle gradient on a huge strip (time,
// peak memory and what stays resident), a small PNG file whose image data
// inflates far beyond its image, repeated paints of a large PNG image and
// word wrap of one very long line.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <QGuiApplication>
#include <QString>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/BenchMain.h"
#include "components/KvoCommon.h"
#include "graphics/KvoGradient.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"

namespace {

using namespace mirto;

// Resident and peak resident memory of the process in MB; the peak can be
// reset, so one benchmark's peak is not another's. Linux only: elsewhere the figures read 0.
double StatusMb(const char* key) {
#if defined(__linux__)
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t keyLength = std::strlen(key);
  while (std::getline(status, line)) {
    if (line.compare(0, keyLength, key) == 0) return std::stod(line.substr(keyLength + 1)) / 1024;
  }
#else
  static_cast<void>(key);
#endif
  return 0;
}
void ResetPeak() {
#if defined(__linux__)
  std::ofstream("/proc/self/clear_refs") << "5";
#endif
}

void AngleStrip(benchmark::State& state, bool throughDescription) {
  constexpr TRect kStrip{0, 0, 16384, 1};
  TBitmap target;
  target.SetSize(kStrip.Width(), kStrip.Height());
  const double before = StatusMb("VmRSS:");
  ResetPeak();
  double peak = 0;
  {
    TKvoGradientEx description;
    description.SetOrientation(dgdAngle);
    description.SetAngleDegree(30);
    description.SetColorFrom(RGB(20, 40, 160));
    description.SetColorTo(RGB(250, 240, 200));
    for (auto _ : state) {
      if (throughDescription) {
        description.SetAngleDegree(description.AngleDegree() == 30 ? 31 : 30);
        description.Draw(target.Canvas(), kStrip);
      } else {
        GradientFillEx(target.Canvas(), kStrip, RGB(20, 40, 160), RGB(250, 240, 200), dgdAngle, 50,
                       30, bmNormal, 255, 100, true, nullptr);
      }
      benchmark::DoNotOptimize(target.ScanLine(0));
    }
    peak = StatusMb("VmHWM:");
  }
  state.counters["peak_MB"] = peak - before;
  state.counters["left_MB"] = StatusMb("VmRSS:") - before;
}
void BM_AngleGradientHugeStrip(benchmark::State& state) { AngleStrip(state, false); }
void BM_AngleGradientHugeStripKept(benchmark::State& state) { AngleStrip(state, true); }
BENCHMARK(BM_AngleGradientHugeStrip)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_AngleGradientHugeStripKept)->Unit(benchmark::kMillisecond)->Iterations(2);

void AppendChunk(std::vector<std::uint8_t>& file, const char* name,
                 const std::vector<std::uint8_t>& data) {
  const auto length = static_cast<std::uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(std::uint8_t(length >> shift));
  const std::size_t typeAt = file.size();
  file.insert(file.end(), name, name + 4);
  file.insert(file.end(), data.begin(), data.end());
  const auto crc = static_cast<std::uint32_t>(
      crc32(0, file.data() + typeAt, static_cast<uInt>(data.size() + 4)));
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(std::uint8_t(crc >> shift));
}

// A 1 x 1 grey image whose image data inflates to about 1 GB: the one row
// the image needs, then zeros.
const std::vector<std::uint8_t>& InflationBomb() {
  static const std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> compressed;
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<std::uint8_t> zeros(1 << 20, 0);
    std::vector<std::uint8_t> out(1 << 20);
    for (int block = 0; block < 1024; ++block) {
      z.next_in = zeros.data();
      z.avail_in = static_cast<uInt>(zeros.size());
      const int flush = block == 1023 ? Z_FINISH : Z_NO_FLUSH;
      do {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, flush);
        compressed.insert(compressed.end(), out.data(), out.data() + (out.size() - z.avail_out));
      } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AppendChunk(png, "IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 0});
    AppendChunk(png, "IDAT", compressed);
    AppendChunk(png, "IEND", {});
    return png;
  }();
  return file;
}

void BM_PngInflationBomb(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = InflationBomb();
  int refused = 0;
  for (auto _ : state) {
    TPngImage png;
    try {
      png.LoadFromBytes(file);
    } catch (const EPngError&) {
      ++refused;
    }
    benchmark::DoNotOptimize(png.Width());
  }
  state.counters["file_KB"] = file.size() / 1024.0;
  state.counters["refused"] = refused > 0 ? 1 : 0;
}
BENCHMARK(BM_PngInflationBomb)->Unit(benchmark::kMillisecond)->Iterations(3);

// The largest image a load accepts, as a small file.
void BM_PngLoadLargest(benchmark::State& state) {
  TPngImage source;
  source.CreateBlank(COLOR_RGB, 8192, 2048);
  const std::vector<std::uint8_t> file = source.SaveToBytes();
  for (auto _ : state) {
    TPngImage png;
    png.LoadFromBytes(file);
    benchmark::DoNotOptimize(png.Width());
  }
  state.counters["file_KB"] = file.size() / 1024.0;
}
BENCHMARK(BM_PngLoadLargest)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PngRepeatedPaint8192x2048(benchmark::State& state) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8192, 2048);
  TBitmap target;
  target.SetSize(200, 100);
  target.Canvas().Draw(0, 0, png);
  for (auto _ : state) {
    target.Canvas().Draw(0, 0, png);
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
}
BENCHMARK(BM_PngRepeatedPaint8192x2048)->Unit(benchmark::kMillisecond)->Iterations(5);

// 20,000 characters of short words on one line, wrapped into a rectangle
// wide enough for all of them (the worst case of measuring the whole line
// again for each word) and into a narrow one.
void BM_WordWrap20000(benchmark::State& state) {
  QString text;
  while (text.size() < 20000) text += QStringLiteral("word ");
  text.truncate(20000);
  TBitmap target;
  target.SetSize(400, 100);
  for (auto _ : state) {
    TRect rect{0, 0, static_cast<int>(state.range(0)), 100};
    target.Canvas().DrawText(text, rect, DT_WORDBREAK | DT_CALCRECT);
    benchmark::DoNotOptimize(rect.Bottom);
  }
}
BENCHMARK(BM_WordWrap20000)
    ->ArgName("width")
    ->Arg(400)
    ->Arg(1 << 30)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  bench::RunWithoutDisplay();
  QGuiApplication app(argc, argv);
  return bench::RunBenchmarks(argc, argv);
}
