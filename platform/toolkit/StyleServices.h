#pragma once

// What the program asks about visual styles: whether the platform's visual
// styles are enabled (the themed push button, pointer tracking), which style
// is active ("Windows" is the plain system style; any other name is a custom
// style, a skin) and the colours the active style gives its elements. The
// platform never enables a custom style by itself; the answers are settable
// so that every branch of the components can be reached (TStyleScope in
// tests).

#include <QString>

#include "platform/drawing/Types.h"

namespace mirto {

// The parts of a control a custom style may paint.
enum class TStyleElement { seFont, seClient, seBorder };
using enum TStyleElement;
using TStyleElements = TSet<TStyleElement>;
constexpr TStyleElements kAllStyleElements{seFont, seClient, seBorder};

// The style elements whose colours are asked for.
enum class TThemedElement {
  tpPanelBackground,
  tpPanelBevel,
  tbPushButtonNormal,
  tbPushButtonHot,
  tbPushButtonPressed,
  tbPushButtonDefaulted,
  tbPushButtonDisabled
};
using enum TThemedElement;

enum class TElementColor { ecFillColor, ecEdgeHighLightColor, ecEdgeShadowColor, ecTextColor };
using enum TElementColor;

// The name of the plain system style.
inline const QString kSystemStyleName = QStringLiteral("Windows");

class TStyleServices {
 public:
  // Whether the platform's visual styles are enabled; false unless set.
  static bool Enabled();
  static void SetEnabled(bool value);

  // The active style's name; "Windows" unless set.
  static const QString& ActiveStyleName();
  static void SetActiveStyleName(const QString& name);
  // A style other than the plain system style is active.
  static bool IsCustomStyleActive();

  // The colour the active style gives element, when it gives one (false and
  // clNone otherwise). Colours set here belong to the custom style and are
  // forgotten when the system style becomes active again.
  static bool GetElementColor(TThemedElement element, TElementColor kind, TColor& color);
  static void SetElementColor(TThemedElement element, TElementColor kind, TColor color);
  static void ClearElementColors();
};

// Sets the style answers for the life of the scope and restores the previous
// ones afterwards.
class TStyleScope {
 public:
  TStyleScope(bool enabled, const QString& activeStyle);
  ~TStyleScope();
  TStyleScope(const TStyleScope&) = delete;
  TStyleScope& operator=(const TStyleScope&) = delete;

 private:
  bool enabled_;
  QString activeStyle_;
};

}  // namespace mirto
