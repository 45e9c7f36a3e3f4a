#pragma once

// Root of the object model: every component, option object and drawing tool
// is a TObject; objects whose settings can be copied are TPersistent.

#include <stdexcept>
#include <string>

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

}  // namespace mirto
