#pragma once

// Root of the object model: every component, option object and drawing tool
// is a TObject; objects whose settings can be copied are TPersistent.

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/drawing/Types.h"

namespace mirto {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name as the program knows it ("TFont"), for messages.
  std::string ClassName() const;
};

// Raised when Assign is given an object whose settings cannot be copied.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Calls handler, when set, through a copy: a handler that destroys the
// object holding it (its control, its window) must not destroy the closure
// that is running.
template <typename Handler, typename... Args>
void CallHandler(const Handler& handler, Args&&... args) {
  if (!handler) return;
  const Handler copy = handler;
  copy(std::forward<Args>(args)...);
}

// Stores value in field and tells whether that changed it: setters that
// notify or repaint do so only on a real change. field may be a member or a
// std::tie of several, compared and stored together.
template <typename Field, typename Value>
bool ChangeValue(Field&& field, const Value& value) {
  if (field == value) return false;
  field = value;
  return true;
}

class TPersistent : public TObject {
 public:
  // Copies the settings of source. A class that knows how to take source's
  // settings overrides Assign; one that knows how to give its own settings to
  // another class overrides AssignTo. When neither does, EConvertError
  // ("Cannot assign a TX to a TY") is raised and nothing is changed.
  virtual void Assign(const TPersistent* source);

 protected:
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

// The one change notifier: settings that tell their owner when they change
// (pens, brushes, fonts, pictures, margins, size limits and the components'
// option objects).
//
// A setter announces a change with Changed() (or Change(field, value), which
// announces only a real change); whether an unchanged value is announced too
// is each class's own rule. BeginUpdate/EndUpdate only decide whether the
// closing EndUpdate announces: setters called inside the bracket still
// announce at once, so a class that wants one announcement for many fields
// (Assign) stores the fields directly inside the bracket. To keep a change
// quiet, mute the handler for a scope with TChangeMute.
class TNotifyingPersistent : public TPersistent {
 public:
  // Called with this object (or an owned part) after its settings changed.
  TNotifyEvent OnChange;

  void BeginUpdate() { ++updateCounter_; }
  // Closes one BeginUpdate (or all of them when reset is true). An unmatched
  // call is harmless. When no update is left open and notify is true,
  // OnChange fires.
  void EndUpdate(bool notify = true, bool reset = false) {
    if (reset) {
      updateCounter_ = 0;
    } else if (updateCounter_ > 0) {
      --updateCounter_;
    }
    if (updateCounter_ == 0 && notify) Changed();
  }
  // Nesting depth of BeginUpdate; 0 when no update is in progress.
  int UpdateCounter() const { return updateCounter_; }

 protected:
  void Changed() { Notify(this); }
  // Calls OnChange with sender: an owned part (a pen) passes itself, so the
  // owner learns which part changed.
  void Notify(TObject* sender) { CallHandler(OnChange, sender); }
  // Stores value in field (see ChangeValue); a real change is announced once.
  template <typename Field, typename Value>
  void Change(Field&& field, const Value& value) {
    if (ChangeValue(field, value)) Changed();
  }

 private:
  int updateCounter_ = 0;
};

// Mutes a change handler for a scope and gives it back at the end, also when
// the scope is left by an exception:
//
//   TChangeMute mute(glyph);  // glyph.OnChange is quiet until mute ends
//   glyph.SetTransparent(true);
class TChangeMute {
 public:
  explicit TChangeMute(TNotifyEvent& handler) : handler_(handler), saved_(handler) {
    handler_ = nullptr;
  }
  explicit TChangeMute(TNotifyingPersistent& object) : TChangeMute(object.OnChange) {}
  ~TChangeMute() { handler_ = std::move(saved_); }
  TChangeMute(const TChangeMute&) = delete;
  TChangeMute& operator=(const TChangeMute&) = delete;

 private:
  TNotifyEvent& handler_;
  TNotifyEvent saved_;
};

}  // namespace mirto
