#pragma once

// Reading a bitmap back as rows of characters, one per pixel, so that a
// drawing test can state what it expects as a small ASCII picture.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"

namespace mirto::testing_support {

// The character each named colour shows as.
using Legend = std::map<TColor, char>;
// A picture: one string per row, one character per pixel.
using Rows = std::vector<std::string>;

// Resizes the bitmap and fills it with one colour; the pixel format stays
// unless one is given.
void Blank(TBitmap& bitmap, int width, int height, TColor color = clWhite,
           std::optional<TPixelFormat> format = std::nullopt);

// The pixels of area (the whole bitmap if none): the legend's character for
// the colours it names, '.' for the background, '?' for any other colour.
Rows Picture(TBitmap& bitmap, const Legend& legend, TColor background = clWhite);
Rows Picture(TBitmap& bitmap, const Legend& legend, TColor background, const TRect& area);

// The smallest rectangle holding every pixel that is not the background;
// an empty rectangle when there is none.
TRect InkBounds(TBitmap& bitmap, TColor background = clWhite);

}  // namespace mirto::testing_support
