#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/system/WindowsExecutable.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// A DOS header of 0x40 bytes: "MZ" (unless magic says otherwise) and the
// signature offset at 0x3C.
QByteArray DosHeader(quint32 signatureOffset, const char* magic = "MZ") {
  QByteArray header(0x40, '\0');
  header[0] = magic[0];
  header[1] = magic[1];
  for (int i = 0; i < 4; ++i) header[0x3C + i] = static_cast<char>(signatureOffset >> (8 * i));
  return header;
}

// A complete executable's start: the DOS header, a stub, the signature, the
// file header and the optional header's magic (0x10B PE32, 0x20B PE32+).
QByteArray PortableExecutable(quint16 optionalMagic) {
  QByteArray bytes = DosHeader(0x80);
  bytes += QByteArray(0x80 - bytes.size(), '\x90');
  bytes += QByteArray("PE\0\0", 4);
  bytes += QByteArray(20, '\0');  // the file header
  bytes += static_cast<char>(optionalMagic & 0xFF);
  bytes += static_cast<char>(optionalMagic >> 8);
  bytes += QByteArray(0x100, '\0');
  return bytes;
}

TEST(WindowsExecutable, RecognisedByTheHeadersAloneAndReadSafelyWhenCutShortOrHostile) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QByteArray pe32 = PortableExecutable(0x10B);
  struct Case {
    const char* name;
    QByteArray contents;
    bool windows;
  };
  const Case cases[] = {
      {"pe32.exe", pe32, true},
      {"pe32plus", PortableExecutable(0x20B), true},  // no ".exe": the name does not count
      {"signature-at-the-very-end", DosHeader(0x40) + QByteArray("PE\0\0", 4), true},
      {"mz-only.exe", DosHeader(0x80) + QByteArray(0x100, '\0'), false},
      {"mz-with-ne-header.exe", DosHeader(0x40) + "NE" + QByteArray(0x40, '\0'), false},
      {"lower-case-magic.exe", QByteArray("mz") + pe32.mid(2), false},
      {"truncated-dos-header.exe", pe32.left(0x3E), false},
      {"truncated-signature.exe", pe32.left(0x82), false},
      {"offset-past-the-end.exe", DosHeader(0x1000) + QByteArray(0x40, '\0'), false},
      {"offset-ffffffff.exe", DosHeader(0xFFFFFFFFu) + QByteArray("PE\0\0", 4), false},
      {"offset-inside-the-field.exe", DosHeader(0x3D) + QByteArray(4, '\0'), false},
      {"elf",
       QByteArray("\x7F"
                  "ELF\x02\x01\x01",
                  7) +
           QByteArray(0x80, '\0'),
       false},
      {"script.exe", "#!/bin/sh\necho MZ PE\n" + QByteArray(0x40, ' '), false},
      {"empty.exe", QByteArray(), false},
  };
  for (const Case& c : cases) {
    const QString path = QDir(temp.path()).absoluteFilePath(QString::fromUtf8(c.name));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.contents);
    file.close();
    EXPECT_EQ(IsWindowsExecutable(path), c.windows) << c.name;
  }

  ASSERT_TRUE(QDir(temp.path()).mkdir("folder.exe"));
  for (const QString& other : {temp.path() + "/folder.exe", temp.path() + "/missing.exe", QString(),
                               QString::fromUtf8("pe32.exe\0", 9)}) {
    EXPECT_FALSE(IsWindowsExecutable(other)) << other.toStdString();
  }
}

// The reference is Wine's own "winepath -w" for paths outside its prefix;
// the real-desktop test compares against it where Wine is installed.
TEST(WindowsExecutable, WineGetsTheProgramThenEachFileAsItsZDrivePathWithEveryCharacter) {
  const TWineCommand command = WineCommand(
      "/usr/bin/wine", "/opt/Pack/apps64/Extractor/Extractor.exe",
      {"/tmp/a b.flv", "/tmp/it's \"q\".flv", QString::fromUtf8("/home/ü/Vidéo ☃/-x.mkv"), "/",
       "/tmp//two", "relative/name.flv", "C:\\already\\windows.flv", ""});
  const TWineCommand expected{
      "/usr/bin/wine",
      {"/opt/Pack/apps64/Extractor/Extractor.exe", "Z:\\tmp\\a b.flv", "Z:\\tmp\\it's \"q\".flv",
       QString::fromUtf8("Z:\\home\\ü\\Vidéo ☃\\-x.mkv"), "Z:\\", "Z:\\tmp\\\\two",
       "relative/name.flv", "C:\\already\\windows.flv", ""}};
  EXPECT_EQ(command.Program, expected.Program);
  EXPECT_EQ(command.Arguments, expected.Arguments);
  EXPECT_EQ(WineCommand("wine", "/p.exe", {}).Arguments, QStringList{"/p.exe"});
}

}  // namespace
}  // namespace mirto
