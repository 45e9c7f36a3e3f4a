#pragma once

// Lets an object tell, after calling a handler, whether that handler
// destroyed it. The object keeps a TLifeGuard; a caller takes a TLifeWatch
// before the call (after copying the handler) and asks it afterwards, before
// touching the object again:
//
//   const TLifeWatch watch = LifeWatch();
//   CallHandler(OnClick, this);
//   if (!watch.Alive()) return;

#include <memory>

namespace mirto {

class TLifeWatch {
 public:
  // Watches nothing: never alive.
  TLifeWatch() = default;

  // False once the guarded object is destroyed (or has expired its guard).
  bool Alive() const { return !token_.expired(); }

 private:
  friend class TLifeGuard;
  explicit TLifeWatch(const std::shared_ptr<const bool>& token) : token_(token) {}

  std::weak_ptr<const bool> token_;
};

class TLifeGuard {
 public:
  TLifeGuard() = default;
  TLifeGuard(const TLifeGuard&) = delete;
  TLifeGuard& operator=(const TLifeGuard&) = delete;

  // A watch on the guarded object. The token is made on the first request,
  // so objects that are never watched cost nothing.
  TLifeWatch Watch() const {
    if (!token_ && !expired_) token_ = std::make_shared<const bool>(true);
    return TLifeWatch(token_);
  }

  // Ends the object's life for every watch now, before the guard itself is
  // destroyed: a destructor that still calls handlers (links, nested loops)
  // expires first, so those handlers see the object as gone.
  void Expire() {
    expired_ = true;
    token_.reset();
  }

 private:
  mutable std::shared_ptr<const bool> token_;
  bool expired_ = false;
};

}  // namespace mirto
