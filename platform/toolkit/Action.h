#pragma once

// Actions: named commands with a caption, hint, image, shortcut and an
// execute handler, kept in an action list. Controls and menu entries bound to
// an action show its properties and execute it; they hear of every change
// through an action link.
//
// Binding a client (what a control or menu entry does):
//   link_ = std::make_unique<TActionLink>(this);
//   link_->OnChange = [this](TObject* action) { ActionChange(action, false); };
//   link_->SetAction(action);          // no notification for the binding itself
//   ActionChange(action, true);        // the client copies what it shows
// and on a click: if (!link_ || !link_->Execute(this)) <own click handling>.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/drawing/Types.h"
#include "platform/toolkit/CommandProperties.h"
#include "platform/toolkit/Component.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto {

class TBasicAction;
class TAction;
class TActionList;
class TChangeLink;
class TCustomImageList;

// A client's connection to one action. The link unregisters itself when it is
// destroyed, and is told (Action() becomes null, OnChange fires) when the
// action is destroyed first, so neither side ever holds a dangling pointer.
class TBasicActionLink : public TObject {
 public:
  explicit TBasicActionLink(TObject* client = nullptr);
  ~TBasicActionLink() override;

  TObject* Client() const { return client_; }
  TBasicAction* Action() const { return action_; }
  // Connects to action (or disconnects for null). Does not call OnChange.
  void SetAction(TBasicAction* action);

  // Executes the action on behalf of component (the clicked control or
  // entry); false when there is no action or it did not handle the call.
  virtual bool Execute(TComponent* component = nullptr);

  // Called with the action as sender after any property of the action
  // changed, and with null after the action was destroyed.
  TNotifyEvent OnChange;

 protected:
  virtual void Change(TObject* sender);

 private:
  friend class TBasicAction;
  void ActionDestroyed();

  TObject* client_ = nullptr;
  TBasicAction* action_ = nullptr;
};

// The link controls and menu entries use; its action is a full TAction
// when it has one.
class TActionLink : public TBasicActionLink {
 public:
  using TBasicActionLink::TBasicActionLink;
  // The bound action as a TAction, or null when unbound or of another kind.
  TAction* Action() const;
};

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* owner = nullptr);
  ~TBasicAction() override;

  // Runs OnExecute with this action as sender. Returns whether a handler ran.
  virtual bool Execute();
  // The component that asked for the execution currently running (the
  // control or menu entry), or null when executed directly or by a shortcut.
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* component) { actionComponent_ = component; }

  TNotifyEvent OnExecute;
  // Called after any property change, like the links.
  TNotifyEvent OnChange;

  int LinkCount() const { return static_cast<int>(links_.size()); }

 protected:
  // Tells every link and OnChange that a property changed.
  void Change();

 private:
  friend class TBasicActionLink;
  void RegisterLink(TBasicActionLink* link);
  void UnregisterLink(TBasicActionLink* link);

  std::vector<TBasicActionLink*> links_;
  TComponent* actionComponent_ = nullptr;
};

class TAction : public TBasicAction, public TCommandProperties {
 public:
  explicit TAction(TComponent* owner = nullptr);
  ~TAction() override;

  const QString& Category() const { return category_; }
  void SetCategory(const QString& category);

  TActionList* ActionList() const { return actionList_; }
  // Moves the action into list (or out of any list for null).
  void SetActionList(TActionList* list);
  // Position in the action list, -1 when in none.
  int Index() const;

  // A disabled action does nothing and reports false. Otherwise the action
  // list's OnExecute may handle it; if not, OnExecute runs.
  bool Execute() override;

 protected:
  void PropertiesChanged() override { Change(); }

 private:
  QString category_;
  TActionList* actionList_ = nullptr;
};

// OnExecute of an action list: sets handled to stop the action's own handler.
using TActionEvent = std::function<void(TBasicAction* action, bool& handled)>;

// The actions of one window. While that window is the active window, a key
// press that forms the shortcut of one of its enabled actions executes the
// action and is taken from the focused control (Esc included).
class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner = nullptr);
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int index) const;
  int IndexOf(const TAction* action) const;
  // The first action with the given component name, or null.
  TAction* FindAction(const QString& name) const;

  // The image list the bound clients take the action images from. The list
  // is not owned; the action list forgets it when it is destroyed.
  TCustomImageList* Images() const;
  void SetImages(TCustomImageList* images);

  // Executes the first enabled action whose shortcut is shortCut. Returns
  // whether the key was used, i.e. whether the action was executed.
  bool IsShortCut(TShortCut shortCut);

  TActionEvent OnExecute;
  // Called when actions are added or removed or the image list changes.
  TNotifyEvent OnChange;

 private:
  friend class TAction;
  void InsertAction(TAction* action);
  void RemoveAction(TAction* action);
  void ImagesChanged();
  bool ExecuteAction(TBasicAction* action);

  std::vector<TAction*> actions_;
  std::unique_ptr<TChangeLink> imagesLink_;
  struct WindowBinding;
  std::unique_ptr<WindowBinding> window_;

  friend struct ActionListAccess;
};

}  // namespace mirto
