// Fonts, text measuring and the formatting rules of DrawText.

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <utility>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/DrawingSeam.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

using testing_support::Blank;
using testing_support::InkBounds;
using testing_support::PixelBoard;
using testing_support::Rows;

TEST(Font, PointsAreConvertedAtNinetySixDotsPerInch) {
  TFont font;
  EXPECT_EQ(font.Name(), QStringLiteral("Tahoma"));
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);
  struct Case {
    int points, height;
  };
  for (const Case c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{11, -15}, Case{12, -16}}) {
    font.SetSize(c.points);
    EXPECT_EQ(font.Height(), c.height) << c.points;
    EXPECT_EQ(font.Size(), c.points);
    EXPECT_EQ(testing::ResolvedPixelSizeOf(font), -c.height) << c.points;
  }
  font.SetHeight(-20);
  EXPECT_EQ(font.Size(), 15);
}

TEST(Font, PositiveHeightsCountTheWholeCell) {
  TBitmap bitmap;
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-20);
  const int cell = canvas.TextHeight(QStringLiteral("Wg"));
  EXPECT_GE(cell, 20);
  canvas.Font().SetHeight(cell);
  EXPECT_NEAR(canvas.TextHeight(QStringLiteral("Wg")), cell, 1);
  canvas.Font().SetHeight(-40);
  EXPECT_GT(canvas.TextHeight(QStringLiteral("Wg")), cell);
}

TEST(Font, AssignCopiesEverythingAndNotifiesOnce) {
  TFont source;
  source.SetName(QStringLiteral("Segoe UI"));
  source.SetHeight(-14);
  source.SetColor(clPurple);
  source.SetStyle({fsBold, fsUnderline});
  source.SetQuality(fqNonAntialiased);
  TFont font;
  int changes = 0;
  font.OnChange = [&changes](TObject*) { ++changes; };
  font.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font.Name(), source.Name());
  EXPECT_EQ(font.Height(), -14);
  EXPECT_EQ(font.Color(), clPurple);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(font.Quality(), fqNonAntialiased);
  font.Assign(&source);
  EXPECT_EQ(changes, 1);  // nothing changed
  TPen pen;
  EXPECT_THROW(font.Assign(&pen), EConvertError);
}

TEST(Tools, PenAndBrushCopyAndNotify) {
  TBrush brush;
  int changes = 0;
  brush.OnChange = [&changes](TObject*) { ++changes; };
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);  // a colour makes a clear brush solid
  EXPECT_EQ(changes, 2);
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);  // same colour, still solid again
  EXPECT_EQ(brush.Style(), bsSolid);

  TPen source;
  source.SetColor(clRed);
  source.SetWidth(3);
  source.SetStyle(psDot);
  source.SetMode(pmXor);
  TPen pen;
  pen.Assign(&source);
  EXPECT_EQ(pen.Color(), clRed);
  EXPECT_EQ(pen.Width(), 3);
  EXPECT_EQ(pen.Style(), psDot);
  EXPECT_EQ(pen.Mode(), pmXor);
  EXPECT_THROW(pen.Assign(&brush), EConvertError);
}

TEST(CanvasText, TextOutPaintsABackgroundOnlyWithASolidBrush) {
  const QString text = QStringLiteral("Mi");
  for (TBrushStyle style : {bsSolid, bsClear}) {
    TBitmap bitmap;
    Blank(bitmap, 40, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetColor(clYellow);
    canvas.Brush().SetStyle(style);
    canvas.TextOut(5, 4, text);
    const int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    // The top-left corner of the text cell lies above every glyph.
    EXPECT_EQ(canvas.Pixels(5, 4), style == bsSolid ? clYellow : clWhite);
    EXPECT_EQ(canvas.Pixels(5 + w - 1, 4), style == bsSolid ? clYellow : clWhite);
    EXPECT_EQ(canvas.Pixels(5 + w, 4), clWhite);
    EXPECT_EQ(canvas.Pixels(5, 4 + h), clWhite);
    EXPECT_EQ(canvas.PenPos(), (TPoint{5 + w, 4}));
    bool inked = false;
    for (int y = 4; y < 4 + h; ++y)
      for (int x = 5; x < 5 + w; ++x) inked |= GetRValue(canvas.Pixels(x, y)) < 128;
    EXPECT_TRUE(inked);
  }
}

// Unsmoothed letters are black and white only; smoothed ones have grey
// edges. A canvas that measured or drew with one quality follows the next.
TEST(CanvasText, QualityDecidesWhetherEdgesAreSmoothed) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  for (TFontQuality quality : {fqAntialiased, fqNonAntialiased, fqClearType, fqNonAntialiased}) {
    Blank(bitmap, 60, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName(QStringLiteral("Segoe UI"));
    canvas.Font().SetHeight(-17);
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetQuality(quality);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(3, 3, QStringLiteral("Mog"));
    int greys = 0, blacks = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 60; ++x) {
        const TColor c = canvas.Pixels(x, y);
        blacks += c == clBlack;
        greys += c != clBlack && c != clWhite;
      }
    EXPECT_GT(blacks, 0) << static_cast<int>(quality);
    if (quality == fqNonAntialiased) {
      EXPECT_EQ(greys, 0);
    } else {
      EXPECT_GT(greys, 0) << static_cast<int>(quality);
    }
  }
}

TEST(CanvasText, TextStaysInsideItsCellAndFollowsTheOrigin) {
  TBitmap bitmap;
  Blank(bitmap, 60, 30);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetColor(clBlack);
  canvas.SetWindowOrg({-10, -5});
  canvas.TextOut(0, 0, QStringLiteral("Hg"));
  canvas.SetWindowOrg({0, 0});
  const TRect ink = InkBounds(bitmap);
  const TRect cell = Bounds(10, 5, canvas.TextWidth(QStringLiteral("Hg")),
                            canvas.TextHeight(QStringLiteral("Hg")));
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, cell.Left);
  EXPECT_GE(ink.Top, cell.Top);
  EXPECT_LE(ink.Right, cell.Right + 1);
  EXPECT_LE(ink.Bottom, cell.Bottom);
}

TEST(CanvasText, TextNearTheEndsOfIntDrawsWithoutOverflowWhereItReachesTheClip) {
  // Far outside, the baseline and underline positions would lie beyond int
  // (the sanitizer build checks that nothing overflows); text starting left
  // of the clip but reaching into it still shows.
  struct Case {
    TPoint origin, at;
    bool shows;
  };
  for (const Case& c :
       {Case{{0, 0}, {5, INT_MAX - 2}, false}, Case{{0, 0}, {INT_MAX - 2, 0}, false},
        Case{{0, 0}, {INT_MIN, INT_MIN}, false}, Case{{0, INT_MAX - 40}, {5, INT_MAX - 30}, true},
        Case{{0, 0}, {-8, 2}, true}}) {
    SCOPED_TRACE(::testing::Message() << c.at.X << "," << c.at.Y);
    TBitmap bitmap;
    Blank(bitmap, 60, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clBlack);
    canvas.SetWindowOrg(c.origin);
    canvas.TextOut(c.at.X, c.at.Y, QStringLiteral("Hgw"));
    TRect r{c.at.X, c.at.Y, c.at.X == INT_MAX - 2 ? INT_MAX : c.at.X + 40,
            c.at.Y >= INT_MAX - 30 ? INT_MAX : c.at.Y + 20};
    canvas.DrawText(QStringLiteral("&Hgw"), r, DT_NOCLIP);
    canvas.SetWindowOrg({0, 0});
    EXPECT_EQ(!InkBounds(bitmap).IsEmpty(), c.shows);
  }
}

TEST(CanvasText, CalcRectMeasuresWithoutDrawing) {
  TBitmap bitmap;
  Blank(bitmap, 80, 60);
  TCanvas& canvas = bitmap.Canvas();
  const int line = canvas.TextHeight(QStringLiteral("x"));

  TRect rect{3, 4, 3, 4};
  EXPECT_EQ(canvas.DrawText(QStringLiteral("Convert"), rect, DT_CALCRECT | DT_SINGLELINE), line);
  EXPECT_EQ(rect, (TRect{3, 4, 3 + canvas.TextWidth(QStringLiteral("Convert")), 4 + line}));
  EXPECT_EQ(InkBounds(bitmap), TRect{});

  struct Case {
    const char* caption;
    TTextFormat flags;
    const char* measured;
  };
  const Case cases[] = {
      {"&&", 0, "&"},
      {"&File", 0, "File"},
      {"Save && &quit", 0, "Save & quit"},
      {"&File", DT_NOPREFIX, "&File"},
  };
  for (const Case& c : cases) {
    TRect r{0, 0, 200, 0};
    canvas.DrawText(QString::fromUtf8(c.caption), r, DT_CALCRECT | DT_SINGLELINE | c.flags);
    EXPECT_EQ(r.Width(), canvas.TextWidth(QString::fromUtf8(c.measured))) << c.caption;
  }

  // Word breaks: a narrow rectangle gives one line per word, and a word
  // wider than the rectangle widens it.
  const QString words = QStringLiteral("one two three");
  TRect narrow{0, 0, canvas.TextWidth(QStringLiteral("three")), 0};
  EXPECT_EQ(canvas.DrawText(words, narrow, DT_CALCRECT | DT_WORDBREAK), 3 * line);
  EXPECT_EQ(narrow.Width(), canvas.TextWidth(QStringLiteral("three")));
  TRect tiny{0, 0, 2, 0};
  canvas.DrawText(words, tiny, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(tiny.Width(), canvas.TextWidth(QStringLiteral("three")));
  TRect lines{0, 0, 500, 0};
  EXPECT_EQ(canvas.DrawText(QStringLiteral("a\r\nb\nc"), lines, DT_CALCRECT), 3 * line);
  TRect single{0, 0, 500, 0};
  EXPECT_EQ(canvas.DrawText(QStringLiteral("a\nb"), single, DT_CALCRECT | DT_SINGLELINE), line);
}

TEST(CanvasText, AlignmentFlagsPlaceTheText) {
  const TRect box{10, 10, 110, 50};
  struct Case {
    const char* name;
    TTextFormat flags;
  };
  const Case cases[] = {{"left top", DT_SINGLELINE},
                        {"centre", DT_SINGLELINE | DT_CENTER | DT_VCENTER},
                        {"right bottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM},
                        {"right to left reading", DT_SINGLELINE | DT_RIGHT | DT_RTLREADING}};
  for (const Case& c : cases) {
    TBitmap bitmap;
    Blank(bitmap, 120, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clBlack);
    TRect rect = box;
    canvas.DrawText(QStringLiteral("HH"), rect, c.flags);
    const TRect ink = InkBounds(bitmap);
    const int w = canvas.TextWidth(QStringLiteral("HH")),
              h = canvas.TextHeight(QStringLiteral("H"));
    int left = box.Left, top = box.Top;
    if (c.flags & DT_CENTER) left = box.Left + (box.Width() - w) / 2;
    if (c.flags & DT_RIGHT) left = box.Right - w;
    if (c.flags & DT_VCENTER) top = box.Top + (box.Height() - h) / 2;
    if (c.flags & DT_BOTTOM) top = box.Bottom - h;
    ASSERT_FALSE(ink.IsEmpty()) << c.name;
    EXPECT_GE(ink.Left, left) << c.name;
    EXPECT_LE(ink.Right, left + w + 1) << c.name;
    EXPECT_GE(ink.Top, top) << c.name;
    EXPECT_LE(ink.Bottom, top + h) << c.name;
    EXPECT_GT(ink.Width(), w / 2) << c.name;
  }
}

// Right to left: a right-aligned line ends at the rectangle's right edge;
// punctuation ending the text reads last and so shows left of the letters;
// centring stays centring.
TEST(CanvasText, RightToLeftReadingAlignsAndOrdersTheLine) {
  const TRect box{4, 4, 116, 36};
  // Text drawn unsmoothed into box: the rows of box across the ink's columns.
  const auto draw = [&box](const QString& text, TTextFormat flags, TRect* ink = nullptr) {
    PixelBoard board(120, 40);
    TCanvas& canvas = board.Canvas();
    canvas.Font().SetHeight(-16);
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetQuality(fqNonAntialiased);
    canvas.Brush().SetStyle(bsClear);
    TRect rect = box;
    canvas.DrawText(text, rect, flags | DT_SINGLELINE);
    const TRect bounds = board.Ink();
    if (ink) *ink = bounds;
    return board.Picture({{clBlack, '#'}}, {bounds.Left, box.Top, bounds.Right, box.Bottom});
  };
  const auto columns = [](Rows rows, std::size_t from, std::size_t count) {
    for (std::string& row : rows) row = row.substr(from, count);
    return rows;
  };
  const QString text = QStringLiteral("abc!");

  for (const TTextFormat flags : {DT_RIGHT, DT_RIGHT | DT_RTLREADING}) {
    TRect ink;
    draw(text, flags, &ink);
    EXPECT_GE(ink.Right, box.Right - 3) << flags;
    EXPECT_LE(ink.Right, box.Right) << flags;
    EXPECT_GT(ink.Left, box.Left + box.Width() / 2) << flags;
  }

  // The mark, one upright stroke, shows the same wherever it lands; the
  // letters may sit a fraction of a pixel apart in the two orders.
  const Rows mark = draw(QStringLiteral("!"), 0);
  const Rows forwards = draw(text, 0), backwards = draw(text, DT_RTLREADING);
  ASSERT_EQ(forwards[0].size(), backwards[0].size());
  EXPECT_NE(backwards, forwards);
  const std::size_t width = forwards[0].size(), markWidth = mark[0].size();
  EXPECT_EQ(columns(forwards, width - markWidth, markWidth), mark);
  EXPECT_EQ(columns(backwards, 0, markWidth), mark);

  for (const TTextFormat flags : {DT_CENTER, DT_CENTER | DT_RTLREADING}) {
    TRect ink;
    draw(text, flags, &ink);
    EXPECT_LE(std::abs((ink.Left - box.Left) - (box.Right - ink.Right)), 3) << flags;
  }
}

TEST(CanvasText, AcceleratorUnderlineStaysUnderItsLetterInRightToLeftText) {
  // The underline is what the marked text adds to the same text unmarked.
  const auto underline = [](const QString& marked, TTextFormat flags) {
    PixelBoard plain(120, 40), withMark(120, 40);
    for (PixelBoard* board : {&plain, &withMark}) {
      TCanvas& canvas = board->Canvas();
      canvas.Font().SetHeight(-16);
      canvas.Font().SetColor(clBlack);
      canvas.Font().SetQuality(fqNonAntialiased);
      canvas.Brush().SetStyle(bsClear);
      TRect rect{4, 4, 116, 36};
      const QString text = board == &plain ? QString(marked).remove('&') : marked;
      canvas.DrawText(text, rect, flags | DT_SINGLELINE);
    }
    TRect added{INT_MAX, 0, INT_MIN, 0};
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x)
        if (plain.At(x, y) != withMark.At(x, y)) {
          added.Left = std::min(added.Left, x);
          added.Right = std::max(added.Right, x + 1);
        }
    return std::pair(added.Left, added.Right);
  };
  PixelBoard probe(1, 1);
  TCanvas& measure = probe.Canvas();
  measure.Font().SetHeight(-16);
  const int a = measure.TextWidth(QStringLiteral("a")),
            mark = measure.TextWidth(QStringLiteral("!"));
  struct Case {
    const char* text;
    TTextFormat flags;
    int from, to;  // columns the underline covers
  };
  // Read right to left, "abc!" shows as "!abc": the mark first, then a.
  for (const Case& c :
       {Case{"&abc!", 0, 4, 4 + a}, Case{"&abc!", DT_RTLREADING, 4 + mark, 4 + mark + a},
        Case{"abc&!", DT_RTLREADING, 4, 4 + mark}}) {
    EXPECT_EQ(underline(QString::fromLatin1(c.text), c.flags), std::pair(c.from, c.to))
        << c.text << " flags " << c.flags;
  }
}

TEST(CanvasText, TextIsClippedToItsRectangleUnlessNoClip) {
  for (TTextFormat extra : {TTextFormat{0}, DT_NOCLIP}) {
    TBitmap bitmap;
    Blank(bitmap, 80, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetStyle(bsClear);
    TRect rect{5, 5, 12, 25};
    canvas.DrawText(QStringLiteral("WWWWWW"), rect, DT_SINGLELINE | extra);
    const TRect ink = InkBounds(bitmap);
    if (extra == DT_NOCLIP)
      EXPECT_GT(ink.Right, 12);
    else
      EXPECT_LE(ink.Right, 12);
  }
}

TEST(CanvasText, AcceleratorUnderlinesTheNextLetter) {
  const auto draw = [](const QString& text, TTextFormat flags) {
    TBitmap bitmap;
    Blank(bitmap, 60, 30);
    bitmap.Canvas().Font().SetColor(clBlack);
    bitmap.Canvas().Brush().SetStyle(bsClear);
    TRect rect{2, 2, 60, 30};
    bitmap.Canvas().DrawText(text, rect, flags | DT_SINGLELINE);
    return InkBounds(bitmap);
  };
  const TRect plain = draw(QStringLiteral("nu"), 0);
  const TRect underlined = draw(QStringLiteral("&nu"), 0);
  EXPECT_GT(underlined.Bottom, plain.Bottom);  // the underline lies below the letters
  EXPECT_EQ(draw(QStringLiteral("n&&u"), 0).Bottom,
            draw(QStringLiteral("n&u"), DT_NOPREFIX).Bottom);
  EXPECT_EQ(draw(QStringLiteral("n&&u"), 0), draw(QStringLiteral("n&u"), DT_NOPREFIX));
}

TEST(TextLayout, AcceleratorMarks) {
  struct Case {
    const char* caption;
    const char* text;
    int underline;
  };
  const Case cases[] = {
      {"", "", -1},      {"&Open", "Open", 0}, {"Save &as", "Save as", 5}, {"R&&D", "R&D", -1},
      {"&&&x", "&x", 1}, {"end&", "end", -1},  {"&a&b", "ab", 0},          {"&&", "&", -1},
  };
  for (const Case& c : cases) {
    const TAcceleratedText result = StripAccelerators(QString::fromUtf8(c.caption));
    EXPECT_EQ(result.Text, QString::fromUtf8(c.text)) << c.caption;
    EXPECT_EQ(result.Underline, c.underline) << c.caption;
  }
}

TEST(TextLayout, LinesBreakAtSpacesAndLineFeeds) {
  // Every character is one unit wide.
  const auto measure = [](const QString& s) { return static_cast<int>(s.size()); };
  const auto texts = [&](const QString& text, int underline, TTextFormat flags, int width) {
    QStringList lines;
    QList<int> underlines;
    for (const TTextLine& line : LayoutTextLines(text, underline, flags, width, measure)) {
      lines << line.Text;
      underlines << line.Underline;
    }
    return std::pair{lines.join(u'|'), underlines};
  };
  EXPECT_EQ(texts(QStringLiteral("aa bb cc"), -1, DT_WORDBREAK, 5).first,
            QStringLiteral("aa bb|cc"));
  EXPECT_EQ(texts(QStringLiteral("aa bb cc"), -1, DT_WORDBREAK, 4).first,
            QStringLiteral("aa|bb|cc"));
  EXPECT_EQ(texts(QStringLiteral("aa   bb"), -1, DT_WORDBREAK, 3).first, QStringLiteral("aa|bb"));
  EXPECT_EQ(texts(QStringLiteral("longword x"), -1, DT_WORDBREAK, 3).first,
            QStringLiteral("longword|x"));
  EXPECT_EQ(texts(QStringLiteral("a\r\n\nb c"), -1, DT_WORDBREAK, 1).first,
            QStringLiteral("a||b|c"));
  EXPECT_EQ(texts(QStringLiteral("aa bb"), -1, 0, 1).first, QStringLiteral("aa bb"));
  EXPECT_EQ(texts(QStringLiteral("a\nb"), -1, DT_SINGLELINE, 1).first, QStringLiteral("a\nb"));
  // The underline follows its letter onto the later line.
  EXPECT_EQ(texts(QStringLiteral("aa bb"), 4, DT_WORDBREAK, 2).second, (QList<int>{-1, 1}));
  EXPECT_EQ(texts(QString(), -1, DT_WORDBREAK, 5).first, QString());
}

TEST(TextLayout, WordWrapFillsEachLineAndMeasuresLongLinesAFewTimesNotOncePerWord) {
  // Words of 1 to 9 letters, single spaces; every character one unit wide.
  QString text;
  unsigned seed = 7;
  while (text.size() < 20000) {
    seed = seed * 1103515245u + 12345u;
    text += QString((seed >> 16) % 9 + 1, u'w') + u' ';
  }
  text.chop(1);
  long long measured = 0;
  const auto measure = [&measured](const QString& s) {
    measured += s.size();
    return static_cast<int>(s.size());
  };
  for (int width : {1, 7, 40, 333, 1 << 30}) {
    SCOPED_TRACE(width);
    measured = 0;
    const std::vector<TTextLine> lines = LayoutTextLines(text, -1, DT_WORDBREAK, width, measure);
    QStringList joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const QString& line = lines[i].Text;
      joined << line;
      ASSERT_TRUE(line.size() <= width || !line.contains(u' ')) << i;
      if (i + 1 < lines.size()) {
        const qsizetype nextWord = lines[i + 1].Text.indexOf(u' ');
        const qsizetype wordLength = nextWord < 0 ? lines[i + 1].Text.size() : nextWord;
        ASSERT_GT(line.size() + 1 + wordLength, width) << "line " << i << " could take a word";
      }
    }
    EXPECT_EQ(joined.join(u' '), text);
    // Measuring the line again after each word would add up to about 40
    // million characters for the widest case.
    EXPECT_LT(measured, 40LL * text.size());
  }
}

}  // namespace
}  // namespace mirto
