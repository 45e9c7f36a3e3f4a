#include "platform/drawing/FontWarmUp.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#if MIRTO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace mirto {

struct TFontWarmUp::Work {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> next;
  bool finishing = false;
  std::thread thread;

  void Run() {
#if MIRTO_HAVE_FONTCONFIG
    // The font system keeps one configuration per process and installs it
    // atomically, so the toolkit finds this one when it asks for it; should
    // it ask first, it reads its own and one of the two is dropped.
    FcInit();
#endif
    std::function<void()> work;
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [this] { return next || finishing; });
      work = std::move(next);
    }
    if (work) work();
  }
};

namespace {
// The warm-up the font code waits for; set and read on the main thread only.
TFontWarmUp* g_pending = nullptr;
}  // namespace

void AwaitFontWarmUp() {
  if (g_pending != nullptr) g_pending->Wait();
}

TFontWarmUp::TFontWarmUp() : work_(std::make_unique<Work>()) {
#if MIRTO_HAVE_FONTCONFIG
  try {
    work_->thread = std::thread([work = work_.get()] { work->Run(); });
    started_ = true;
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit prepares the fonts when it needs them.
  }
#endif
  if (started_ && g_pending == nullptr) g_pending = this;
}

TFontWarmUp::~TFontWarmUp() {
  Wait();
  if (g_pending == this) g_pending = nullptr;
}

void TFontWarmUp::ContinueWith(std::function<void()> work) {
  if (!work_->thread.joinable()) return;
  {
    const std::lock_guard lock(work_->mutex);
    if (work_->finishing) return;
    work_->next = std::move(work);
  }
  work_->changed.notify_one();
}

void TFontWarmUp::Wait() {
  if (!work_->thread.joinable()) return;
  {
    const std::lock_guard lock(work_->mutex);
    work_->finishing = true;
  }
  work_->changed.notify_one();
  work_->thread.join();
}

}  // namespace mirto
