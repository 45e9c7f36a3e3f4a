#include "platform/drawing/EmbeddedPictures.h"

#include <QDir>
#include <QResource>
#include <algorithm>

namespace mirto {
namespace {

// The program registers its pictures as Qt resources in this folder; the
// drawing layer only looks them up by name.
const QString kFolder = QStringLiteral(":/pictures/");

// Letters, digits and dashes only: a name can never reach another resource
// folder or a file on disk.
bool IsPlainName(const QString& name) {
  const auto letterOrDigit = [](QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
  };
  return !name.isEmpty() && letterOrDigit(name.front()) &&
         std::all_of(name.begin(), name.end(),
                     [&](QChar c) { return letterOrDigit(c) || c == u'-'; });
}

// Picked out by their ending: a name filter would be a pattern for the
// toolkit's regular expressions, whose library is loaded and compiled for it.
QStringList PngFiles() {
  QStringList files = QDir(kFolder).entryList(QDir::Files, QDir::Name);
  files.removeIf([](const QString& file) { return !file.endsWith(QStringLiteral(".png")); });
  return files;
}

// The size in "<name>-<size>.png": 1 to 9999, written without leading zeros;
// 0 when file is not a size of name.
int IconSizeOf(const QString& file, const QString& name) {
  const QString suffix = QStringLiteral(".png");
  if (!file.startsWith(name + u'-') || !file.endsWith(suffix)) return 0;
  const qsizetype first = name.size() + 1;
  const QStringView digits = QStringView(file).mid(first, file.size() - first - suffix.size());
  if (digits.isEmpty() || digits.size() > 4 || digits.front() == u'0') return 0;
  if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
    return 0;
  return digits.toInt();
}

}  // namespace

QByteArray EmbeddedPicture(const QString& name, int scale) {
  if (!IsPlainName(name) || (scale != 1 && scale != 2)) return {};
  const QResource resource(kFolder + name +
                           (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
  if (!resource.isValid() || resource.data() == nullptr) return {};
  if (resource.compressionAlgorithm() != QResource::NoCompression)
    return resource.uncompressedData();
  // Stored as they are, the bytes stay where the program keeps them: nothing
  // is read or copied.
  return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                 static_cast<qsizetype>(resource.size()));
}

std::vector<int> EmbeddedIconSizes(const QString& name) {
  std::vector<int> sizes;
  if (!IsPlainName(name)) return sizes;
  for (const QString& file : PngFiles())
    if (const int size = IconSizeOf(file, name); size > 0) sizes.push_back(size);
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

QStringList EmbeddedPictureNames() {
  QStringList names;
  for (const QString& file : PngFiles())
    if (!file.endsWith(QStringLiteral("@2x.png"))) names.append(file.chopped(4));
  return names;
}

}  // namespace mirto
