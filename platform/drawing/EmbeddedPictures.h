#pragma once

// The pictures built into the program (buttons' glyphs, menu images, the
// application icon), found by name. A picture "name" is drawn for its own
// size; "name" at scale 2 is a separate drawing at twice that size for
// screens of 200 %. An icon that comes in several sizes is stored as
// "name-16", "name-32", ...
//
// The program supplies the pictures by linking the library that registers
// them as resources; this layer only looks them up by name.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace mirto {

// The encoded PNG file of a picture, or an empty array when there is none of
// that name and scale (only 1 and 2 exist; names are plain words, never
// paths).
QByteArray EmbeddedPicture(const QString& name, int scale = 1);

// Pixel sizes, ascending, of the icon stored as "name-<size>".
std::vector<int> EmbeddedIconSizes(const QString& name);

// The names of all 1x pictures, sorted.
QStringList EmbeddedPictureNames();

}  // namespace mirto
