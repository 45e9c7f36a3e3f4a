#include "platform/toolkit/StyleServices.h"

#include <map>
#include <utility>

namespace mirto {

namespace {

struct StyleState {
  bool enabled = false;
  QString activeStyle = kSystemStyleName;
  std::map<std::pair<TThemedElement, TElementColor>, TColor> colors;
};

StyleState& State() {
  static StyleState state;
  return state;
}

}  // namespace

bool TStyleServices::Enabled() { return State().enabled; }

void TStyleServices::SetEnabled(bool value) { State().enabled = value; }

const QString& TStyleServices::ActiveStyleName() { return State().activeStyle; }

void TStyleServices::SetActiveStyleName(const QString& name) {
  StyleState& state = State();
  state.activeStyle = name.isEmpty() ? kSystemStyleName : name;
  if (!IsCustomStyleActive()) state.colors.clear();
}

bool TStyleServices::IsCustomStyleActive() { return State().activeStyle != kSystemStyleName; }

bool TStyleServices::GetElementColor(TThemedElement element, TElementColor kind, TColor& color) {
  const auto& colors = State().colors;
  const auto found = colors.find({element, kind});
  color = found != colors.end() ? found->second : clNone;
  return found != colors.end();
}

void TStyleServices::SetElementColor(TThemedElement element, TElementColor kind, TColor color) {
  State().colors[{element, kind}] = color;
}

void TStyleServices::ClearElementColors() { State().colors.clear(); }

TStyleScope::TStyleScope(bool enabled, const QString& activeStyle)
    : enabled_(TStyleServices::Enabled()), activeStyle_(TStyleServices::ActiveStyleName()) {
  TStyleServices::SetEnabled(enabled);
  TStyleServices::SetActiveStyleName(activeStyle);
}

TStyleScope::~TStyleScope() {
  TStyleServices::SetEnabled(enabled_);
  TStyleServices::SetActiveStyleName(activeStyle_);
}

}  // namespace mirto
