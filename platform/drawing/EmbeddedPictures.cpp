#include "platform/drawing/EmbeddedPictures.h"

#include <QDir>
#include <QRegularExpression>
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

QStringList PngFiles() {
  return QDir(kFolder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
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
  const QRegularExpression sized(QStringLiteral("^") + QRegularExpression::escape(name) +
                                 QStringLiteral("-([1-9][0-9]{0,3})\\.png$"));
  for (const QString& file : PngFiles()) {
    const QRegularExpressionMatch match = sized.match(file);
    if (match.hasMatch()) sizes.push_back(match.captured(1).toInt());
  }
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
