#pragma once

#include <thread>

namespace mirto {

// Reads the font system's configuration on a thread of its own while the
// program connects to the window system. The first text the program
// measures needs that configuration, and reading it is the largest single
// piece of work before the first window shows (some 3.4 ms of the 4.7 ms the
// toolkit's first look at the installed fonts takes here).
//
// The thread touches the font system's own library only, which installs its
// configuration atomically and is safe to use from any thread; nothing of
// the toolkit's is shared with it. Call Wait before the first text is
// measured, so that the toolkit finds the configuration ready instead of
// reading a second one beside it. Where the font system is not this
// library (Windows), or no thread can be started, the object does nothing
// and the toolkit reads the configuration when it first needs it.
class TFontWarmUp {
 public:
  TFontWarmUp();
  ~TFontWarmUp();  // waits
  TFontWarmUp(const TFontWarmUp&) = delete;
  TFontWarmUp& operator=(const TFontWarmUp&) = delete;

  // Returns once the configuration is read; later calls return at once.
  void Wait();
  // Whether a thread was started for the work at all.
  bool Started() const { return started_; }

 private:
  std::thread thread_;
  bool started_ = false;
};

}  // namespace mirto
