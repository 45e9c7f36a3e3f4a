#pragma once

// The gallery sheet: sections register themselves with a title and an order
// and add labelled pictures; the sheet stacks the sections top to bottom,
// lays each section's pictures out in rows and saves the whole as one PNG.
//
// A section file needs only:
//   static mirto::gallery::TSectionRegistration reg(40, "Buttons", &DrawButtons);
//   void DrawButtons(mirto::gallery::TSection& section) { ... section.Add(...) ... }

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/drawing/Bitmap.h"

namespace mirto::gallery {

struct TPictureCell {
  QString Label;
  std::unique_ptr<TBitmap> Picture;
};

class TSection {
 public:
  // A new 24-bit picture of the given size, filled with background; it is
  // shown with label beneath it.
  TBitmap& Add(const QString& label, int width, int height, TColor background = clWhite);
  // Starts a new row of pictures.
  void NewRow();

  const std::vector<std::vector<TPictureCell>>& Rows() const { return rows_; }

 private:
  std::vector<std::vector<TPictureCell>> rows_{1};
};

using TSectionPainter = std::function<void(TSection&)>;

class TSectionRegistration {
 public:
  // Sections appear by ascending order, then by title.
  TSectionRegistration(int order, const char* title, TSectionPainter painter);
};

// Renders every registered section and saves the sheet to fileName.
// Returns false when the file cannot be written.
bool RenderSheet(const QString& fileName);

}  // namespace mirto::gallery
