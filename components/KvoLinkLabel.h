#pragma once

// A text label that behaves like a hyperlink: it shows its caption in one of
// five fonts by its state (normal, hot while the pointer is over it,
// disabled, and the normal and hot fonts of a visited link), shows a hand
// pointer, and a click opens URL through the shell or executes an action.
// Everything else (caption, auto-size, alignment, transparency, word wrap,
// the painting of the text) is the toolkit label's.
//
// The drawn font and the pointer change only on these events:
//   pointer enters   enabled: FontVisitedHot / FontHot, CursorHot;
//                    disabled: FontDisabled, CursorDisabled
//   pointer leaves   enabled: FontVisitedNormal / FontNormal, CursorHot;
//                    disabled: FontDisabled, CursorDisabled
//   click that opens the URL or runs the action: FontVisitedHot (visited)
//   Enabled := true  FontVisitedNormal / FontNormal, CursorHot
//   Enabled := false FontDisabled, CursorDisabled
//   Visited set      (enabled) FontVisitedNormal / FontNormal
//   FontNormal changes         (enabled) FontVisitedNormal / FontNormal
//   FontVisitedNormal changes  (enabled and visited) FontVisitedNormal
// A change of FontHot, FontDisabled, FontVisitedHot, CursorHot or
// CursorDisabled shows at the next of these events.

#include <QString>
#include <memory>

#include "components/KvoCommon.h"
#include "platform/drawing/Font.h"
#include "platform/toolkit/Label.h"

namespace mirto {

class TBasicAction;
class TBasicActionLink;

enum class TKvoLinkLabelClickActionType : std::uint8_t { catGoToURL, catExecuteAction };
using enum TKvoLinkLabelClickActionType;

class TKvoCustomLinkLabel : public TCustomLabel {
 public:
  explicit TKvoCustomLinkLabel(TComponent* owner = nullptr);
  ~TKvoCustomLinkLabel() override;

  TKvoTagExt& TagExt() { return tagExt_; }
  void SetTagExt(const TKvoTagExt& value);

  // The state fonts; setting one copies the given font into the label's own.
  const TFont& FontNormal() const { return fontNormal_; }
  TFont& FontNormal() { return fontNormal_; }
  void SetFontNormal(const TFont& value) { fontNormal_.Assign(&value); }
  const TFont& FontHot() const { return fontHot_; }
  TFont& FontHot() { return fontHot_; }
  void SetFontHot(const TFont& value) { fontHot_.Assign(&value); }
  const TFont& FontDisabled() const { return fontDisabled_; }
  TFont& FontDisabled() { return fontDisabled_; }
  void SetFontDisabled(const TFont& value) { fontDisabled_.Assign(&value); }
  const TFont& FontVisitedNormal() const { return fontVisitedNormal_; }
  TFont& FontVisitedNormal() { return fontVisitedNormal_; }
  void SetFontVisitedNormal(const TFont& value) { fontVisitedNormal_.Assign(&value); }
  const TFont& FontVisitedHot() const { return fontVisitedHot_; }
  TFont& FontVisitedHot() { return fontVisitedHot_; }
  void SetFontVisitedHot(const TFont& value) { fontVisitedHot_.Assign(&value); }
  // Gives all five fonts the family and size (points), in the order normal,
  // hot, disabled, visited normal, visited hot.
  void SetFontsNameAndSize(const QString& fontName, int fontSize);

  const QString& URL() const { return url_; }
  void SetURL(const QString& value) { url_ = value; }
  // Not owned; when the action is destroyed first the label forgets it.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);
  TKvoLinkLabelClickActionType ClickActionType() const { return clickActionType_; }
  void SetClickActionType(TKvoLinkLabelClickActionType value) { clickActionType_ = value; }

  // The label's own enabled state. The toolkit control stays enabled, so a
  // disabled link label still gets the pointer and clicks (OnClick fires).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visited() const { return visited_; }
  void SetVisited(bool value);
  TCursor CursorHot() const { return cursorHot_; }
  void SetCursorHot(TCursor value) { cursorHot_ = value; }
  TCursor CursorDisabled() const { return cursorDisabled_; }
  void SetCursorDisabled(TCursor value) { cursorDisabled_ = value; }

  bool AccessibleEnabled() const override { return enabled_; }

 protected:
  void Click() override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void ShowFont(const TFont& font) { Font().Assign(&font); }
  const TFont& RestingFont() const { return visited_ ? fontVisitedNormal_ : fontNormal_; }
  void FontNormalChanged();
  void FontVisitedNormalChanged();
  void PointerMoved(bool entered);

  TKvoTagExt tagExt_;
  TFont fontHot_;
  TFont fontNormal_;
  TFont fontDisabled_;
  QString url_;
  std::unique_ptr<TBasicActionLink> actionLink_;
  TKvoLinkLabelClickActionType clickActionType_ = catGoToURL;
  bool enabled_ = true;
  TCursor cursorDisabled_ = crDefault;
  TCursor cursorHot_ = crHandPoint;
  TFont fontVisitedNormal_;
  bool visited_ = false;
  TFont fontVisitedHot_;
};

class TKvoLinkLabel : public TKvoCustomLinkLabel {
 public:
  using TKvoCustomLinkLabel::TKvoCustomLinkLabel;
};

}  // namespace mirto
