#pragma once

// Lets a component tell, after calling a user's handler, whether that
// handler destroyed it: the component keeps a token, a caller copies a weak
// reference to it before the call and asks the reference afterwards.

#include <memory>

namespace mirto {

class TKvoLifeToken {
 public:
  class Watch {
   public:
    explicit Watch(const std::shared_ptr<int>& token) : token_(token) {}
    // False once the component that handed out the watch is destroyed.
    bool Alive() const { return !token_.expired(); }

   private:
    std::weak_ptr<int> token_;
  };

  Watch MakeWatch() const { return Watch(token_); }

 private:
  std::shared_ptr<int> token_ = std::make_shared<int>(0);
};

}  // namespace mirto
