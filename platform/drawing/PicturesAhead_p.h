#pragma once

// Platform-internal: how a picture load finds a picture decoded ahead.

#include <QString>
#include <optional>

#include "platform/drawing/PngCodec_p.h"

namespace mirto {

// The 1x picture of that name if it is being decoded ahead: waits for it and
// takes it. Nothing when no picture of that name is ahead, or it proved
// missing or damaged (the caller's own decode then says why).
std::optional<TPngPixels> TakePictureDecodedAhead(const QString& name);

}  // namespace mirto
