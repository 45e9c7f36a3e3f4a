#include "artwork/ArtworkResources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE declares the registration function, which lives in the
// global namespace, so it is called from outside mirto.
static void RegisterArtwork() { Q_INIT_RESOURCE(artwork); }

namespace mirto {

void InitArtworkResources() {
  static std::once_flag once;
  std::call_once(once, RegisterArtwork);
}

}  // namespace mirto
