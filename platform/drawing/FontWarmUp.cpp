#include "platform/drawing/FontWarmUp.h"

#include <system_error>

#if MIRTO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace mirto {

TFontWarmUp::TFontWarmUp() {
#if MIRTO_HAVE_FONTCONFIG
  try {
    // Should the toolkit ask before the thread is done, the font system
    // reads a second configuration and keeps one of the two.
    thread_ = std::thread([] { FcInit(); });
    started_ = true;
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit reads the configuration when needed.
  }
#endif
}

TFontWarmUp::~TFontWarmUp() { Wait(); }

void TFontWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace mirto
