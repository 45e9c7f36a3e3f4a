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

// Settings that tell their owner when they change: pens, brushes, fonts,
// pictures, margins and size limits.
class TNotifyingPersistent : public TPersistent {
 public:
  // Called with this object after its settings changed.
  TNotifyEvent OnChange;

 protected:
  void Changed() { CallHandler(OnChange, this); }
  // Stores value in field (see ChangeValue); a real change is announced once.
  template <typename Field, typename Value>
  void Change(Field&& field, const Value& value) {
    if (ChangeValue(field, value)) Changed();
  }
};

}  // namespace mirto
