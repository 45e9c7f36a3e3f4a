#pragma once

#include <functional>
#include <memory>

namespace mirto {

// Prepares the fonts on a thread of its own while the program does its other
// start-up work. The first text the program measures needs the font system's
// configuration and the toolkit's list of installed families, and building
// them costs more than anything else before the first window shows; done
// beside the window system's connection and the building of the windows, they
// are ready by then.
//
// The thread first reads the font system's configuration, then waits for the
// work given to `ContinueWith` (which needs the application object). Where
// the font system cannot be reached from here, or no thread can be started,
// the object does nothing and the fonts are prepared when first asked for, as
// they would be anyway.
class TFontWarmUp {
 public:
  TFontWarmUp();
  ~TFontWarmUp();  // waits
  TFontWarmUp(const TFontWarmUp&) = delete;
  TFontWarmUp& operator=(const TFontWarmUp&) = delete;

  // Runs `work` on the thread once the configuration is read; nothing when
  // there is no thread or `Wait` came first.
  void ContinueWith(std::function<void()> work);
  // Returns once all the work is done; later calls return at once.
  void Wait();
  // Whether a thread was started for the work at all.
  bool Started() const { return started_; }

 private:
  struct Work;
  std::unique_ptr<Work> work_;
  bool started_ = false;
};

// Waits for the warm-up of the running application, if one is under way; the
// font code calls it before it first asks the font system anything, so that
// the two never build the same thing twice. Call from the main thread.
void AwaitFontWarmUp();

}  // namespace mirto
