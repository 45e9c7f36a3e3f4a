// Draws every embedded picture at 1x and 2x on the grounds the windows show
// them on (the dark title bar, the light main area, both menu styles' icon
// bars) and greyed as a disabled entry shows it, into one PNG file.
//
//   artwork_contact_sheet OUT.png [ZOOM [X Y W H]]
//
// ZOOM (default 1) magnifies the finished sheet, or its part X, Y, W x H,
// pixel by pixel for close inspection.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "graphics/KvoGradient.h"
#include "graphics/PngFunctions.h"
#include "graphics/PngImageList.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "platform/toolkit/Application.h"

namespace mirto {
namespace {

constexpr int kLabelWidth = 150;
constexpr int kMargin = 10;

struct Ground {
  const char* Label;
  TColor From;
  TColor To;
  TDgradOrientation Orientation;
};

const Ground kTitleBar{"title bar", kTitleBarTop, kTitleBarBottom, dgdVertical};
const Ground kMainArea{"main area", kMainAreaFrom, kMainAreaTo, dgdHorizontal};
const Ground kDarkMenu{"dark menu", DarkMenuStyle().IconBarFrom, DarkMenuStyle().IconBarTo,
                       dgdHorizontal};
const Ground kLightMenu{"light menu", LightMenuStyle().IconBarFrom, LightMenuStyle().IconBarTo,
                        dgdHorizontal};

void Paint(TCanvas& canvas, const TRect& r, const Ground& ground) {
  GradientFillEx(canvas, r, ground.From, ground.To, ground.Orientation, 50, 0, bmNormal, 255, 100);
}

void Label(TCanvas& canvas, int x, int y, const QString& text, TColor color = 0x00303030) {
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetColor(color);
  canvas.TextOut(x, y, text);
}

// One band of cells: a ground, then draw(cell index, x, y) for each cell.
struct Band {
  QString Label;
  const Ground* Background;
  int CellSize;  // the picture's side
  std::function<void(TCanvas&, int cell, int x, int y)> Draw;
};

class Sheet {
 public:
  Sheet(int cells, int cellWidth) : cells_(cells), cellWidth_(cellWidth) {}

  int Width() const { return kLabelWidth + cells_ * cellWidth_ + kMargin; }
  static int BandHeight(const Band& band) { return band.CellSize + 8; }

  int Height(const std::vector<Band>& bands) const {
    int h = 22;
    for (const Band& band : bands) h += BandHeight(band) + 2;
    return h + kMargin;
  }

  // Draws the section's heading, column numbers and bands from y down; returns
  // the y below it.
  int DrawSection(TCanvas& canvas, int y, const QString& heading, const std::vector<Band>& bands,
                  bool numbered) const {
    canvas.Font().SetStyle({fsBold});
    Label(canvas, kMargin, y + 4, heading);
    canvas.Font().SetStyle({});
    if (numbered)
      for (int i = 0; i < cells_; ++i)
        Label(canvas, kLabelWidth + i * cellWidth_ + 2, y + 6, QString::number(i), 0x00606060);
    y += 22;
    for (const Band& band : bands) {
      const int h = BandHeight(band);
      Paint(canvas, TRect{kLabelWidth - 4, y, Width() - kMargin, y + h}, *band.Background);
      Label(canvas, kMargin, y + h / 2 - 7, band.Label);
      for (int i = 0; i < cells_; ++i)
        band.Draw(canvas, i, kLabelWidth + i * cellWidth_ + (cellWidth_ - band.CellSize) / 2,
                  y + 4);
      y += h + 2;
    }
    return y;
  }

 private:
  int cells_;
  int cellWidth_;
};

const char* const kGlyphs[] = {kGlyphMenuVideo, kGlyphMenuAudio,      kGlyphAbout,
                               kGlyphMinimize,  kGlyphMinimizeToTray, kGlyphExit,
                               kGlyphClose,     kGlyphCategories};

// Greyed and faded the way the image list draws a disabled entry.
constexpr TPngOptions kDisabled{pngBlendOnDisabled, pngGrayscaleOnDisabled};

std::vector<Band> GlyphBands(const std::vector<std::unique_ptr<TPngImage>>& one,
                             const std::vector<std::unique_ptr<TPngImage>>& two) {
  std::vector<Band> bands;
  for (const Ground* ground : {&kTitleBar, &kMainArea}) {
    for (int scale : {1, 2}) {
      for (bool disabled : {false, true}) {
        const auto& set = scale == 1 ? one : two;
        bands.push_back(
            {QString("%1 %2x%3").arg(ground->Label).arg(scale).arg(disabled ? ", disabled" : ""),
             ground, 24 * scale, [&set, disabled](TCanvas& c, int i, int x, int y) {
               const TPngImage& png = *set[static_cast<std::size_t>(i)];
               const int full = set[0]->Width();
               const int off = png.Width() < full ? (full - png.Width()) / 2 : 0;
               DrawPngWithEffects(
                   &png, c, TRect{x + off, y + off, x + off + png.Width(), y + off + png.Height()},
                   disabled ? kDisabled : TPngOptions{});
             }});
      }
    }
  }
  return bands;
}

std::vector<Band> ListBands(TPngImageList& one, TPngImageList& two) {
  std::vector<Band> bands;
  for (const Ground* ground : {&kTitleBar, &kMainArea, &kDarkMenu, &kLightMenu}) {
    for (int scale : {1, 2}) {
      const bool menu = ground == &kDarkMenu || ground == &kLightMenu;
      for (bool disabled : menu ? std::vector<bool>{false, true} : std::vector<bool>{false}) {
        TPngImageList* list = scale == 1 ? &one : &two;
        bands.push_back(
            {QString("%1 %2x%3").arg(ground->Label).arg(scale).arg(disabled ? ", disabled" : ""),
             ground, 16 * scale, [list, disabled](TCanvas& c, int i, int x, int y) {
               list->Draw(&c, x, y, i, !disabled);
             }});
      }
    }
  }
  return bands;
}

int Run(const QString& out, int zoom, TRect part) {
  std::vector<std::unique_ptr<TPngImage>> glyphs1, glyphs2;
  for (const char* name : kGlyphs) {
    glyphs1.push_back(std::make_unique<TPngImage>());
    glyphs2.push_back(std::make_unique<TPngImage>());
    if (!glyphs1.back()->LoadFromResourceName(name, 1) ||
        !glyphs2.back()->LoadFromResourceName(name, 2)) {
      std::fprintf(stderr, "missing glyph %s\n", name);
      return 1;
    }
  }
  TPngImageList list1, list2;
  if (LoadMainImageList(list1, 1) != kMainImageCount ||
      LoadMainImageList(list2, 2) != kMainImageCount) {
    std::fprintf(stderr, "image list pictures missing\n");
    return 1;
  }
  TIcon icon;
  if (!LoadApplicationIcon(icon)) {
    std::fprintf(stderr, "application icon missing\n");
    return 1;
  }

  const Sheet glyphSheet(8, 60);
  const Sheet listSheet(kMainImageCount, 40);
  const std::vector<Band> glyphBands = GlyphBands(glyphs1, glyphs2);
  const std::vector<Band> listBands = ListBands(list1, list2);
  const int iconSizes[] = {16, 22, 24, 32, 44, 48, 64, 96, 128, 256};
  int iconRowWidth = kLabelWidth;
  for (int s : iconSizes) iconRowWidth += s + 8;
  const int iconBand = 256 + 8;

  const int width = std::max({glyphSheet.Width(), listSheet.Width(), iconRowWidth + kMargin});
  const int height = kMargin + glyphSheet.Height(glyphBands) + listSheet.Height(listBands) + 22 +
                     2 * (iconBand + 2) + kMargin;

  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(0x00F4F4F4);
  canvas.FillRect(TRect{0, 0, width, height});
  canvas.Font().SetName("Segoe UI");
  canvas.Font().SetHeight(-12);

  int y = kMargin;
  y = glyphSheet.DrawSection(canvas, y,
                             "Window glyphs: video menu, audio menu, about, minimise, tray, exit, "
                             "close, categories",
                             glyphBands, false);
  y = listSheet.DrawSection(canvas, y + 6, "Image list pilMain", listBands, true);

  canvas.Font().SetStyle({fsBold});
  Label(canvas, kMargin, y + 10, "Application icon (16 to 256; 512 ships too)");
  canvas.Font().SetStyle({});
  y += 28;
  TPngImage sized;
  for (const Ground* ground : {&kTitleBar, &kMainArea}) {
    Paint(canvas, TRect{kLabelWidth - 4, y, width - kMargin, y + iconBand}, *ground);
    Label(canvas, kMargin, y + iconBand / 2 - 7, ground->Label);
    int x = kLabelWidth;
    for (int s : iconSizes) {
      if (sized.LoadFromResourceName(QString("%1-%2").arg(kApplicationIcon).arg(s)))
        sized.Draw(canvas, TRect{x, y + iconBand - 4 - s, x + s, y + iconBand - 4});
      x += s + 8;
    }
    y += iconBand + 2;
  }

  TBitmap* result = &bitmap;
  TBitmap zoomed;
  if (part.Right <= part.Left || part.Bottom <= part.Top) part = TRect{0, 0, width, height};
  if (zoom > 1 || part != TRect{0, 0, width, height}) {
    const int w = part.Right - part.Left, h = part.Bottom - part.Top;
    zoomed.SetPixelFormat(pf24bit);
    zoomed.SetSize(w * zoom, h * zoom);
    // Pixel by pixel, so every source pixel stays a sharp square.
    for (int row = 0; row < h * zoom; ++row) {
      const int sy = std::clamp(part.Top + row / zoom, 0, height - 1);
      const std::uint8_t* from = bitmap.ScanLine(sy);
      std::uint8_t* to = zoomed.ScanLine(row);
      for (int col = 0; col < w * zoom; ++col) {
        const int sx = std::clamp(part.Left + col / zoom, 0, width - 1);
        std::copy_n(from + 3 * sx, 3, to + 3 * col);
      }
    }
    result = &zoomed;
  }
  TPngImage png;
  png.Assign(result);
  png.SaveToFile(out);
  std::printf("%s: %d x %d\n", qPrintable(out), png.Width(), png.Height());
  return 0;
}

}  // namespace
}  // namespace mirto

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [ZOOM]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  mirto::TApplication application(argc, argv);
  application.Initialize();
  const int zoom = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  mirto::TRect part{};
  if (argc > 6) {
    part.Left = std::atoi(argv[3]);
    part.Top = std::atoi(argv[4]);
    part.Right = part.Left + std::atoi(argv[5]);
    part.Bottom = part.Top + std::atoi(argv[6]);
  }
  return mirto::Run(QString::fromLocal8Bit(argv[1]), zoom, part);
}
