#include "launcher/ButtonGlyph.h"

#include <QByteArray>
#include <QString>

#include "components/KvoPngButton.h"
#if __has_include("platform/drawing/EmbeddedArtwork.h")  // TEMPORARY
#include "platform/drawing/EmbeddedArtwork.h"
#define MIRTO_HAS_ARTWORK 1
#endif
#include "platform/drawing/PngImage.h"

namespace mirto {

void LoadGlyph(TKvoPngButton& button, const char* pictureName) {
#ifndef MIRTO_HAS_ARTWORK  // TEMPORARY
  (void)button;
  (void)pictureName;
#else
  const QByteArray data = EmbeddedArtwork(QString::fromLatin1(pictureName));
  if (data.isEmpty()) return;
  TPngImage glyph;
  try {
    glyph.LoadFromBytes(data);
  } catch (const EPngError&) {
    return;
  }
  button.SetPngImage(&glyph);
#endif
}

}  // namespace mirto
