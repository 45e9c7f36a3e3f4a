#include "platform/drawing/TextLayout.h"

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

void BreakParagraph(std::vector<TTextLine>& lines, const QString& text, qsizetype begin,
                    qsizetype end, int underline, int maxWidth,
                    const std::function<int(const QString&)>& measure) {
  qsizetype lineStart = begin;
  qsizetype fitted = begin;  // end of the words already on the current line
  while (true) {
    qsizetype next = fitted;
    while (next < end && text[next] == u' ') ++next;
    while (next < end && text[next] != u' ') ++next;
    const bool firstWord = fitted == lineStart;
    if (firstWord || measure(text.mid(lineStart, next - lineStart)) <= maxWidth) {
      fitted = next;
      if (fitted >= end) {
        EmitLine(lines, text, lineStart, end, underline);
        return;
      }
      continue;
    }
    EmitLine(lines, text, lineStart, fitted, underline);
    lineStart = fitted;
    while (lineStart < end && text[lineStart] == u' ') ++lineStart;
    fitted = lineStart;
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
