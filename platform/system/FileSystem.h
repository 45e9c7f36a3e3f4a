#pragma once

// File-system queries the launcher needs: whether a path is a folder or a
// file, the running executable's own file name, and the platform's path
// separator.

#include <QChar>
#include <QString>
#include <cstdint>

namespace mirto {

#if defined(_WIN32)
inline constexpr QChar PathDelim{u'\\'};
#else
inline constexpr QChar PathDelim{u'/'};
#endif

// The system's attribute bits, by their values.
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01u;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02u;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10u;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80u;

// Attribute bits of the file or folder at path, or INVALID_FILE_ATTRIBUTES
// when it does not exist or cannot be examined. Folders carry
// FILE_ATTRIBUTE_DIRECTORY; a file with no other bit set reports
// FILE_ATTRIBUTE_NORMAL.
std::uint32_t GetFileAttributesW(const QString& path);

// Whether path names an existing folder, or an existing file that is not a
// folder (both read from GetFileAttributesW).
bool IsFolder(const QString& path);
bool IsFile(const QString& path);

// Full, symlink-free file name of the running executable; empty only when
// the platform cannot tell.
QString ExecutableFileName();

}  // namespace mirto
