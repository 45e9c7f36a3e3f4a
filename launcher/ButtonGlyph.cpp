#include "launcher/ButtonGlyph.h"

#include <QByteArray>
#include <QString>

#include "components/KvoPngButton.h"
#include "platform/drawing/EmbeddedArtwork.h"
#include "platform/drawing/PngImage.h"

namespace mirto {

void LoadGlyph(TKvoPngButton& button, const char* pictureName) {
  const QByteArray data = EmbeddedArtwork(QString::fromLatin1(pictureName));
  if (data.isEmpty()) return;
  TPngImage glyph;
  try {
    glyph.LoadFromBytes(data);
  } catch (const EPngError&) {
    return;
  }
  button.SetPngImage(&glyph);
}

}  // namespace mirto
