#include "platform/drawing/TextLayout.h"

#include <algorithm>

namespace mirto {

TAcceleratedText StripAccelerators(const QString& caption) {
  TAcceleratedText result;
  result.Text.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i];
    if (c != u'&') {
      result.Text.append(c);
      continue;
    }
    if (i + 1 >= caption.size()) break;  // a trailing mark shows nothing
    const QChar next = caption[++i];
    if (next != u'&' && result.Underline < 0)
      result.Underline = static_cast<int>(result.Text.size());
    result.Text.append(next);
  }
  return result;
}

namespace {

// Emits the line text[begin, end) and maps the underline into it.
void EmitLine(std::vector<TTextLine>& lines, const QString& text, qsizetype begin, qsizetype end,
              int underline) {
  TTextLine line;
  line.Text = text.mid(begin, end - begin);
  if (underline >= begin && underline < end) line.Underline = static_cast<int>(underline - begin);
  lines.push_back(std::move(line));
}

// The end of the word after `from`: spaces skipped, then the word.
qsizetype WordEnd(const QString& text, qsizetype from, qsizetype end) {
  while (from < end && text[from] == u' ') ++from;
  while (from < end && text[from] != u' ') ++from;
  return from;
}

// Each line takes as many words as fit maxWidth (at least one). A line's
// width only grows with its words, so the count is found by doubling and
// then halving instead of measuring the line again after every word: long
// lines cost a few measurements of their length, not one per word.
void BreakParagraph(std::vector<TTextLine>& lines, const QString& text, qsizetype begin,
                    qsizetype end, int underline, int maxWidth,
                    const std::function<int(const QString&)>& measure) {
  qsizetype lineStart = begin;
  std::vector<qsizetype> ends;  // ends[k]: end of the line's word k
  while (true) {
    ends.assign(1, WordEnd(text, lineStart, end));
    const auto reach = [&](std::size_t k) {
      while (ends.size() <= k && ends.back() < end) ends.push_back(WordEnd(text, ends.back(), end));
      return std::min(k, ends.size() - 1);
    };
    const auto fits = [&](std::size_t k) {
      return measure(text.mid(lineStart, ends[k] - lineStart)) <= maxWidth;
    };
    std::size_t fitting = 0;  // the first word always stays
    std::size_t tooMany = 0;  // 0: no count known to be too many
    for (std::size_t step = 1; tooMany == 0; step *= 2) {
      const std::size_t k = reach(fitting + step);
      if (k == fitting) break;  // every word of the paragraph fits
      if (fits(k))
        fitting = k;
      else
        tooMany = k;
    }
    while (tooMany > fitting + 1) {
      const std::size_t k = fitting + (tooMany - fitting) / 2;
      if (fits(k))
        fitting = k;
      else
        tooMany = k;
    }
    const qsizetype fitted = ends[fitting];
    if (fitted >= end) {
      EmitLine(lines, text, lineStart, end, underline);
      return;
    }
    EmitLine(lines, text, lineStart, fitted, underline);
    lineStart = fitted;
    while (lineStart < end && text[lineStart] == u' ') ++lineStart;
    if (lineStart >= end) return;
  }
}

}  // namespace

std::vector<TTextLine> LayoutTextLines(const QString& text, int underline, TTextFormat flags,
                                       int maxWidth,
                                       const std::function<int(const QString&)>& measure) {
  std::vector<TTextLine> lines;
  if (flags & DT_SINGLELINE) {
    EmitLine(lines, text, 0, text.size(), underline);
    return lines;
  }
  qsizetype begin = 0;
  while (true) {
    qsizetype end = text.indexOf(u'\n', begin);
    const bool last = end < 0;
    if (last) end = text.size();
    qsizetype contentEnd = end;
    if (contentEnd > begin && text[contentEnd - 1] == u'\r') --contentEnd;
    if ((flags & DT_WORDBREAK) && contentEnd > begin)
      BreakParagraph(lines, text, begin, contentEnd, underline, maxWidth, measure);
    else
      EmitLine(lines, text, begin, contentEnd, underline);
    if (last) break;
    begin = end + 1;
  }
  return lines;
}

}  // namespace mirto
