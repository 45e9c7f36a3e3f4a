#include "platform/system/FileSystem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <vector>

#include "platform/system/NativeWindows.h"

namespace mirto {

#if defined(_WIN32)

std::uint32_t GetFileAttributesW(const QString& path) {
  // The system's call reads a name only up to its first NUL: a name with one
  // names no file at all, not the one before it.
  if (path.isEmpty() || path.contains(QChar(u'\0'))) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
}

QString ExecutableFileName() {
  // The buffer grows until the whole name fits; long paths exceed MAX_PATH.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      return QString::fromWCharArray(buffer.data(), static_cast<qsizetype>(length));
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

#else

std::uint32_t GetFileAttributesW(const QString& path) {
  if (path.isEmpty() || path.contains(QChar(u'\0'))) return INVALID_FILE_ATTRIBUTES;
  const QFileInfo info(path);
  if (!info.exists()) return INVALID_FILE_ATTRIBUTES;
  if (info.isDir()) return FILE_ATTRIBUTE_DIRECTORY;
  std::uint32_t attributes = 0;
  if (!info.isWritable()) attributes |= FILE_ATTRIBUTE_READONLY;
  if (info.isHidden()) attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

QString ExecutableFileName() {
#if defined(__linux__)
  // The kernel's link names the running image even when no application
  // object exists yet; other systems take Qt's answer.
  QString fromProc = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  if (!fromProc.isEmpty()) return fromProc;
#endif
  if (QCoreApplication::instance() != nullptr) {
    const QString fromQt = QCoreApplication::applicationFilePath();
    const QString canonical = QFileInfo(fromQt).canonicalFilePath();
    return canonical.isEmpty() ? fromQt : canonical;
  }
  return {};
}

#endif

bool IsFolder(const QString& path) {
  const std::uint32_t attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const QString& path) {
  const std::uint32_t attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace mirto
