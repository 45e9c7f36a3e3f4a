#include "platform/system/WindowsExecutable.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>
#include <cstdint>

namespace mirto {

namespace {

// Where the DOS header keeps the offset of the PE signature.
constexpr qint64 kSignatureOffsetField = 0x3C;
constexpr qint64 kDosHeaderSize = kSignatureOffsetField + 4;
constexpr std::array<char, 4> kPeSignature = {'P', 'E', '\0', '\0'};

std::uint32_t LittleEndian32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

}  // namespace

bool IsWindowsExecutable(const QString& path) {
  if (path.isEmpty() || path.contains(QChar(u'\0'))) return false;
  // Regular files only: a folder or a pipe has no header to read.
  if (!QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  if (size < kDosHeaderSize) return false;

  std::array<char, kDosHeaderSize> header{};
  if (file.read(header.data(), kDosHeaderSize) != kDosHeaderSize) return false;
  if (header[0] != 'M' || header[1] != 'Z') return false;

  // The offset is any 32-bit value the file holds; the signature must fit
  // before the end, compared in 64 bits so that no sum wraps.
  const qint64 offset = LittleEndian32(header.data() + kSignatureOffsetField);
  if (offset > size - static_cast<qint64>(kPeSignature.size())) return false;
  if (!file.seek(offset)) return false;
  std::array<char, kPeSignature.size()> signature{};
  if (file.read(signature.data(), signature.size()) != static_cast<qint64>(signature.size())) {
    return false;
  }
  return signature == kPeSignature;
}

QString WineWindowsPath(const QString& path) {
  if (!path.startsWith(u'/')) return path;
  QString windows = path;
  windows.replace(u'/', u'\\');
  return QStringLiteral("Z:") + windows;
}

TWineCommand WineCommand(const QString& wine, const QString& executable,
                         const QStringList& arguments) {
  TWineCommand command{wine, {executable}};
  for (const QString& argument : arguments) command.Arguments << WineWindowsPath(argument);
  return command;
}

QString FindWine() { return QStandardPaths::findExecutable(QStringLiteral("wine")); }

bool StartsThroughWine(const QString& path) {
#if defined(_WIN32)
  Q_UNUSED(path);
  return false;
#else
  return IsWindowsExecutable(path);
#endif
}

}  // namespace mirto
