#include "platform/toolkit/Component.h"

#include <algorithm>

namespace mirto {

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) {
    owner->InsertComponent(this);
    if (owner->state_.Contains(csLoading)) state_.Include(csLoading);
  }
}

TComponent::~TComponent() {
  ExpireLife();
  MarkDestroying();
  // Children are destroyed last-created first; each one unregisters itself.
  while (!components_.empty()) delete components_.back();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::MarkDestroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* child : components_) child->MarkDestroying();
}

// Case folding maps each character to one character, so names of another
// length never match; windows and menus look names up by the dozen at start.
bool SameComponentName(const QString& a, const QString& b) {
  return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

void TComponent::BeginLoading() {
  if (loadingDepth_++ == 0) SetLoadingFlag(true);
}

void TComponent::EndLoading() {
  if (loadingDepth_ == 0) return;
  if (--loadingDepth_ == 0) SetLoadingFlag(false);
}

void TComponent::SetLoadingFlag(bool loading) {
  if (loading) {
    state_.Include(csLoading);
    for (TComponent* child : components_) child->SetLoadingFlag(true);
    return;
  }
  // Copy: a Loaded handler may create or destroy components.
  const std::vector<TComponent*> children = components_;
  for (TComponent* child : children)
    if (std::find(components_.begin(), components_.end(), child) != components_.end())
      child->SetLoadingFlag(false);
  state_.Exclude(csLoading);
  Loaded();
}

void TComponent::SetDesigning(bool designing) {
  if (designing)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
}

void TComponent::InsertComponent(TComponent* child) {
  child->owner_ = this;
  components_.push_back(child);
}

void TComponent::RemoveComponent(TComponent* child) {
  components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
  child->owner_ = nullptr;
}

}  // namespace mirto
