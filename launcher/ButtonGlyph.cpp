#include "launcher/ButtonGlyph.h"

#include <QString>

#include "components/KvoPngButton.h"
#include "platform/drawing/PngImage.h"

namespace mirto {

void LoadGlyph(TKvoPngButton& button, const char* pictureName) {
  // The picture brings its drawing for high-resolution screens along.
  TPngImage glyph;
  if (!glyph.LoadFromResourceName(QString::fromLatin1(pictureName))) return;
  button.SetPngImage(&glyph);
}

}  // namespace mirto
