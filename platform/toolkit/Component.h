#pragma once

// Components: objects with an owner that destroys them, a name, a tag and a
// state. A window owns the controls and tools it creates, a component owns
// the sub-components it creates.

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"
#include "platform/toolkit/LifeGuard.h"

namespace mirto {

enum class TComponentStateItem { csLoading, csDesigning, csDestroying };
using enum TComponentStateItem;
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
 public:
  // The owner, when given, destroys this component with itself.
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const QString& Name() const { return name_; }
  void SetName(const QString& name) { name_ = name; }

  // Pointer-sized user value; IDs use its low 32 bits.
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }

  // Owned components in creation order.
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const {
    return components_.at(static_cast<std::size_t>(index));
  }

  // Loading bracket: a window sets csLoading on itself and every component it
  // owns while it builds its layout, so that property changes do not repaint
  // half-built controls; EndLoading clears the flag and calls Loaded on each.
  // Brackets nest; only the outermost EndLoading ends the load.
  void BeginLoading();
  void EndLoading();

  // Marks the component as shown in a designer (no effect at run time other
  // than the flag; components consult it).
  void SetDesigning(bool designing);

  // A watch that tells, after a handler call, whether the handler destroyed
  // this component (see LifeGuard.h).
  TLifeWatch LifeWatch() const { return life_.Watch(); }

 protected:
  // Ends this component's life for its watches at once: for destructors that
  // still call handlers before the component is gone.
  void ExpireLife() { life_.Expire(); }
  // Called once when the loading bracket closes.
  virtual void Loaded() {}
  // Sets csDestroying on this component and every component it owns, before
  // any of them is destroyed, so that their handlers and destructors can tell.
  void MarkDestroying();

 private:
  void InsertComponent(TComponent* child);
  void RemoveComponent(TComponent* child);
  void SetLoadingFlag(bool loading);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  QString name_;
  std::intptr_t tag_ = 0;
  TComponentState state_;
  int loadingDepth_ = 0;
  TLifeGuard life_;
};

// Whether two component names are the same, ignoring case.
bool SameComponentName(const QString& a, const QString& b);

}  // namespace mirto
