#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/system/FileSystem.h"
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

// The launcher's "not installed" hint and the catalog's folder test share
// these two; a folder is never a file, a missing path neither.
TEST(FileSystem, IsFileAndIsFolderTellTheKindsApart) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString file = temp.filePath(QStringLiteral("program.exe"));
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  const struct {
    QString path;
    bool file, folder;
  } cases[] = {{file, true, false},
               {temp.path(), false, true},
               {temp.filePath(QStringLiteral("missing")), false, false},
               {QString(), false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsFile(c.path), c.file) << c.path.toStdString();
    EXPECT_EQ(mirto::IsFolder(c.path), c.folder) << c.path.toStdString();
  }
}

TEST(FileSystem, ExecutableFileNameIsTheRealPathOfThisProgram) {
  const QString name = ExecutableFileName();
  ASSERT_FALSE(name.isEmpty());
  const QFileInfo info(name);
  EXPECT_TRUE(info.isAbsolute());
  EXPECT_TRUE(info.isFile());
  // In the system's own form, with its separators.
  EXPECT_EQ(name, QDir::toNativeSeparators(info.canonicalFilePath()));
  EXPECT_EQ(name, QDir::toNativeSeparators(
                      QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()));
}

}  // namespace
}  // namespace mirto
