#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/toolkit/FileSystem.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

bool IsFolder(std::uint32_t attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(FileSystem, AttributesTellFoldersFromFilesAndMissingPaths) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString folder = temp.filePath(QStringLiteral("Dossier ünd Leerzeichen"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString file = temp.filePath(QStringLiteral("-plain file.txt"));
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }

  EXPECT_TRUE(IsFolder(GetFileAttributesW(folder)));
  EXPECT_TRUE(IsFolder(GetFileAttributesW(folder + PathDelim)));

  const std::uint32_t fileAttributes = GetFileAttributesW(file);
  EXPECT_NE(fileAttributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(IsFolder(fileAttributes));

  EXPECT_EQ(GetFileAttributesW(temp.filePath(QStringLiteral("missing"))), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(QString()), INVALID_FILE_ATTRIBUTES);
  // A name cut short by an embedded NUL must not be mistaken for its prefix.
  EXPECT_EQ(GetFileAttributesW(folder + QChar(u'\0') + QStringLiteral("x")),
            INVALID_FILE_ATTRIBUTES);
}

TEST(FileSystem, ExecutableFileNameIsTheRealPathOfThisProgram) {
  const QString name = ExecutableFileName();
  ASSERT_FALSE(name.isEmpty());
  const QFileInfo info(name);
  EXPECT_TRUE(info.isAbsolute());
  EXPECT_TRUE(info.isFile());
  EXPECT_EQ(name, info.canonicalFilePath());
  EXPECT_EQ(name, QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}

}  // namespace
}  // namespace mirto
