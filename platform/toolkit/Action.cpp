#include "platform/toolkit/Action.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "platform/toolkit/Action_p.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/ShortCut_p.h"

namespace mirto {

// ---------------------------------------------------------------------------
// Action links

TBasicActionLink::TBasicActionLink(TObject* client) : client_(client) {}

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_ != nullptr) action_->UnregisterLink(this);
  action_ = action;
  if (action_ != nullptr) action_->RegisterLink(this);
}

bool TBasicActionLink::Execute(TComponent* component) {
  TBasicAction* action = action_;
  if (action == nullptr) return false;
  // The handler may destroy the action, the client or this link; nothing of
  // them is touched afterwards unless it is known to be alive.
  const TLifeWatch watch = action->LifeWatch();
  action->SetActionComponent(component);
  const bool handled = action->Execute();
  if (watch.Alive()) action->SetActionComponent(nullptr);
  return handled;
}

void TBasicActionLink::Change(TObject* sender) { CallHandler(OnChange, sender); }

void TBasicActionLink::ActionDestroyed() {
  action_ = nullptr;
  Change(nullptr);
}

TAction* TActionLink::Action() const { return dynamic_cast<TAction*>(TBasicActionLink::Action()); }

// ---------------------------------------------------------------------------
// Basic action

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  ExpireLife();
  // Each link forgets this action; a link's handler may destroy other links,
  // which then unregister themselves from links_.
  while (!links_.empty()) {
    TBasicActionLink* link = links_.back();
    links_.pop_back();
    link->ActionDestroyed();
  }
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  // Through a copy, so the handler may reassign OnExecute or destroy this
  // action.
  CallHandler(OnExecute, this);
  return true;
}

void TBasicAction::Change() {
  const TLifeWatch watch = LifeWatch();
  const std::vector<TBasicActionLink*> links = links_;
  for (TBasicActionLink* link : links) {
    if (!watch.Alive()) return;
    // Skip links that an earlier handler unregistered or destroyed.
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change(this);
  }
  if (watch.Alive()) CallHandler(OnChange, this);
}

void TBasicAction::RegisterLink(TBasicActionLink* link) { links_.push_back(link); }

void TBasicAction::UnregisterLink(TBasicActionLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

// ---------------------------------------------------------------------------
// Action

TAction::TAction(TComponent* owner) : TBasicAction(owner) {}

TAction::~TAction() { SetActionList(nullptr); }

void TAction::SetCategory(const QString& category) {
  if (category == category_) return;
  category_ = category;
  Change();
}

void TAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_ != nullptr) actionList_->RemoveAction(this);
  actionList_ = list;
  if (actionList_ != nullptr) actionList_->InsertAction(this);
}

int TAction::Index() const { return actionList_ != nullptr ? actionList_->IndexOf(this) : -1; }

bool TAction::Execute() {
  if (!enabled_) return false;
  if (actionList_ != nullptr) {
    const TLifeWatch watch = LifeWatch();
    if (actionList_->ExecuteAction(this)) return true;
    if (!watch.Alive()) return false;
  }
  return TBasicAction::Execute();
}

// ---------------------------------------------------------------------------
// Shortcut dispatch: one application-wide event filter sees every key press
// before the widget it is meant for and offers it to the action lists bound
// to that widget's window.

namespace {

class ShortcutDispatcher : public QObject {
 public:
  static ShortcutDispatcher* Instance() {
    static QPointer<ShortcutDispatcher> instance;
    if (instance.isNull() && QCoreApplication::instance() != nullptr) {
      instance = new ShortcutDispatcher(QCoreApplication::instance());
      QCoreApplication::instance()->installEventFilter(instance);
    }
    return instance.data();
  }

  void Register(TActionList* list) { lists_.push_back(list); }
  void Unregister(TActionList* list) {
    lists_.erase(std::remove(lists_.begin(), lists_.end(), list), lists_.end());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (!window->isActiveWindow()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const TShortCut shortCut = ShortCutFromQtKey(key->key(), key->modifiers());
    if (shortCut == scNone) return false;
    // A copy: an action's handler may create or destroy action lists.
    const std::vector<TActionList*> lists = lists_;
    for (TActionList* list : lists) {
      if (std::find(lists_.begin(), lists_.end(), list) == lists_.end()) continue;
      if (ShortcutWindow(*list) == window && list->IsShortCut(shortCut)) return true;
    }
    return false;
  }

 private:
  using QObject::QObject;
  std::vector<TActionList*> lists_;
};

}  // namespace

struct TActionList::WindowBinding {
  QPointer<QWidget> window;
};

struct ActionListAccess {
  static TActionList::WindowBinding& Binding(const TActionList& list) { return *list.window_; }
};

void SetShortcutWindow(TActionList& list, QWidget* window) {
  ActionListAccess::Binding(list).window = window != nullptr ? window->window() : nullptr;
}

QWidget* ShortcutWindow(const TActionList& list) {
  if (QWidget* window = ActionListAccess::Binding(list).window.data()) return window;
  // The window of the nearest control among the list's owners (normally
  // the form that owns the list).
  for (const TComponent* owner = list.Owner(); owner != nullptr; owner = owner->Owner())
    if (const auto* control = dynamic_cast<const TControl*>(owner))
      return NativeWidget(*control)->window();
  return nullptr;
}

// ---------------------------------------------------------------------------
// Action list

TActionList::TActionList(TComponent* owner)
    : TComponent(owner),
      imagesLink_(std::make_unique<TChangeLink>()),
      window_(std::make_unique<WindowBinding>()) {
  imagesLink_->OnChange = [this](TObject*) { ImagesChanged(); };
  if (ShortcutDispatcher* dispatcher = ShortcutDispatcher::Instance()) dispatcher->Register(this);
}

TActionList::~TActionList() {
  if (ShortcutDispatcher* dispatcher = ShortcutDispatcher::Instance()) dispatcher->Unregister(this);
  // The actions belong to their owners; they only leave the list.
  OnChange = nullptr;
  while (!actions_.empty()) actions_.back()->SetActionList(nullptr);
}

TAction* TActionList::Actions(int index) const {
  if (index < 0 || index >= ActionCount()) return nullptr;
  return actions_[static_cast<std::size_t>(index)];
}

int TActionList::IndexOf(const TAction* action) const {
  const auto it = std::find(actions_.begin(), actions_.end(), action);
  return it == actions_.end() ? -1 : static_cast<int>(it - actions_.begin());
}

TAction* TActionList::FindAction(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (TAction* action : actions_)
    if (SameComponentName(action->Name(), name)) return action;
  return nullptr;
}

TCustomImageList* TActionList::Images() const { return imagesLink_->Sender(); }

void TActionList::SetImages(TCustomImageList* images) {
  if (images == imagesLink_->Sender()) return;
  imagesLink_->SetSender(images);
  ImagesChanged();
}

bool TActionList::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  for (TAction* action : actions_)
    if (action->ShortCut() == shortCut && action->Enabled()) return action->Execute();
  return false;
}

void TActionList::InsertAction(TAction* action) {
  actions_.push_back(action);
  CallHandler(OnChange, this);
}

void TActionList::RemoveAction(TAction* action) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
  CallHandler(OnChange, this);
}

void TActionList::ImagesChanged() { CallHandler(OnChange, this); }

bool TActionList::ExecuteAction(TBasicAction* action) {
  if (!OnExecute) return false;
  const TActionEvent handler = OnExecute;
  bool handled = false;
  handler(action, handled);
  return handled;
}

}  // namespace mirto
