#include "tools/gallery/GallerySheet.h"

#include <algorithm>
#include <exception>

#include "graphics/PngFunctions.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"

namespace mirto::gallery {

namespace {

struct Registered {
  int Order;
  QString Title;
  TSectionPainter Painter;
};

std::vector<Registered>& Registry() {
  static std::vector<Registered> sections;
  return sections;
}

constexpr int kMargin = 12;
constexpr int kGap = 10;
constexpr int kLabelHeight = 16;
constexpr int kTitleHeight = 24;
constexpr TColor kSheetColor = RGB(236, 236, 236);

}  // namespace

TBitmap& TSection::Add(const QString& label, int width, int height, TColor background) {
  auto picture = std::make_unique<TBitmap>();
  picture->SetSize(width, height);
  picture->Canvas().Brush().SetColor(background);
  picture->Canvas().FillRect({0, 0, width, height});
  TBitmap& result = *picture;
  rows_.back().push_back({label, std::move(picture)});
  return result;
}

void TSection::NewRow() {
  if (!rows_.back().empty()) rows_.emplace_back();
}

TSectionRegistration::TSectionRegistration(int order, const char* title, TSectionPainter painter) {
  Registry().push_back({order, QString::fromUtf8(title), std::move(painter)});
}

bool RenderSheet(const QString& fileName) {
  auto sections = Registry();
  std::stable_sort(sections.begin(), sections.end(), [](const Registered& a, const Registered& b) {
    return a.Order != b.Order ? a.Order < b.Order : a.Title < b.Title;
  });

  struct Laid {
    QString Title;
    TSection Section;
  };
  std::vector<Laid> laid;
  int width = 0;
  int height = kMargin;
  for (const Registered& r : sections) {
    Laid l{r.Title, {}};
    r.Painter(l.Section);
    height += kTitleHeight;
    for (const auto& row : l.Section.Rows()) {
      if (row.empty()) continue;
      int rowWidth = kMargin;
      int rowHeight = 0;
      for (const TPictureCell& cell : row) {
        rowWidth += cell.Picture->Width() + kGap;
        rowHeight = std::max(rowHeight, cell.Picture->Height());
      }
      width = std::max(width, rowWidth + kMargin);
      height += rowHeight + kLabelHeight + kGap;
    }
    height += kGap;
    laid.push_back(std::move(l));
  }
  width = std::max(width, 400);

  TBitmap sheet;
  sheet.SetSize(width, height);
  TCanvas& canvas = sheet.Canvas();
  canvas.Brush().SetColor(kSheetColor);
  canvas.FillRect({0, 0, width, height});
  int y = kMargin;
  for (const Laid& l : laid) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName(QStringLiteral("Tahoma"));
    canvas.Font().SetSize(11);
    canvas.Font().SetStyle({fsBold});
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(kMargin, y, l.Title);
    y += kTitleHeight;
    for (const auto& row : l.Section.Rows()) {
      if (row.empty()) continue;
      int x = kMargin;
      int rowHeight = 0;
      for (const TPictureCell& cell : row) rowHeight = std::max(rowHeight, cell.Picture->Height());
      for (const TPictureCell& cell : row) {
        canvas.Draw(x, y, *cell.Picture);
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetSize(8);
        canvas.Font().SetStyle({});
        canvas.Font().SetColor(RGB(60, 60, 60));
        canvas.TextOut(x, y + rowHeight + 2, cell.Label);
        x += cell.Picture->Width() + kGap;
      }
      y += rowHeight + kLabelHeight + kGap;
    }
    y += kGap;
  }

  try {
    TPngImage png;
    PngFromGraphic(&sheet, &png);
    png.SaveToFile(fileName);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace mirto::gallery
