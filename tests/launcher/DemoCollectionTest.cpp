#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "catalog/MirtoApps.h"
#include "launcher/ProgramLauncher.h"
#include "platform/system/FileSystem.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/WaitUntil.h"

// The demo collection's script is Bash: the Windows build's collection is
// laid out and started by its desktop check under Wine instead.
#if !defined(_WIN32)

namespace mirto {
namespace {

// Starts of the demo collection's stand-in, as its log records them.
QStringList WaitForLines(const QString& log, int count) {
  QStringList lines;
  testing::WaitUntil(
      [&] {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly))
          lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        return lines.size() >= count;
      },
      10000);
  return lines;
}

// A demo collection laid out by its script in a folder of its own, the
// stand-ins quiet, and the catalog read from it.
class DemoCollection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    QProcess make;
    make.start(QStringLiteral(MIRTO_MAKE_DEMO_COLLECTION),
               {temp_.path(), QStringLiteral(MIRTO_PLACEHOLDER)});
    ASSERT_TRUE(make.waitForFinished(30000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();
    printed_ = make.readAllStandardOutput().trimmed();
    qputenv("MIRTO_DEMO_QUIET", "1");
    InitCatalog(temp_.filePath(QStringLiteral("mirto")));
  }
  void TearDown() override {
    qunsetenv("MIRTO_DEMO_QUIET");
    FinalizeCatalog();
  }

  // The stand-ins' starts, once count of them are logged (or 10 s passed).
  QStringList WaitForStarts(int count) {
    return WaitForLines(temp_.filePath(QStringLiteral("apps64/launches.log")), count);
  }

  QTemporaryDir temp_;
  // What the script printed: the number of programs it laid out.
  QByteArray printed_;
};

TEST_F(DemoCollection, TheScriptLaysOutEveryProgramAndTheStandInLogsEachStart) {
  EXPECT_EQ(printed_, "25");
  for (const TProgramInfo& program : Programs)
    EXPECT_TRUE(QFile::exists(program.Dir + PathDelim + program.ExeFile)) << program.ID;
  RunProgram(0, 21);
  RunProgram(0, 35);
  const QStringList lines = WaitForStarts(2);
  ASSERT_EQ(lines.size(), 2);
  QStringList ids;
  for (const QString& line : lines) {
    const QStringList fields = line.split(u'\t');
    ASSERT_EQ(fields.size(), 3) << line.toStdString();  // no arguments
    const TProgramInfo& program = Programs[IndexOfProgram(fields[0].toInt())];
    EXPECT_EQ(fields[1], program.Dir + PathDelim + program.ExeFile);
    EXPECT_EQ(QDir(fields[2]).canonicalPath(), QDir(program.Dir).canonicalPath());
    ids << fields[0];
  }
  ids.sort();
  EXPECT_EQ(ids, QStringList({"21", "35"}));
}

// The stand-in logs each argument as a field (a line break as a blank).
TEST_F(DemoCollection, FilesGivenToAProgramArriveAsItsArgumentsUntouched) {
  const QStringList files = {QStringLiteral("my clip.avi"), QStringLiteral("-rf"),
                             QStringLiteral("$(touch pwned) \"q\" 'x'"),
                             QString::fromUtf8("line\nbreak Vidéo 映画")};
  RunProgramWithFiles(0, 21, files);
  const QStringList lines = WaitForStarts(1);
  ASSERT_EQ(lines.size(), 1);
  QStringList logged = lines[0].split(u'\t').mid(3);
  QStringList expected = files;
  expected.last().replace(u'\n', u' ');
  EXPECT_EQ(logged, expected);
  EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))));
}

}  // namespace
}  // namespace mirto

#endif
