#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/system/FileSystem.h"
#include "platform/system/Shell.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

// Names that break naive quoting or option parsing.
const QStringList kAwkwardNames = {
    QStringLiteral("with spaces"),          QStringLiteral("-leading dash"),
    QStringLiteral("quote\"d 'name'"),      QStringLiteral("Ünïcödé Ordner ☃"),
    QStringLiteral("semi;colon $HOME `x`"),
};

#if !defined(_WIN32)
// Waits for a file that a detached process writes, for at most timeoutMs.
bool WaitForFile(const QString& path, int timeoutMs = 5000) {
  return testing::WaitUntil([&] { return QFileInfo::exists(path); }, timeoutMs);
}

void WriteFile(const QString& path, const QByteArray& contents, bool executable) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(contents);
  file.close();
  if (executable) {
    ASSERT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
  }
}
#endif

TEST(ShellHook, RecordsEveryRequestExactlyAsGiven) {
  TShellExecuteRecorder recorder;
  std::vector<TShellExecuteRequest> expected;
  for (const QString& name : kAwkwardNames) {
    const QString folder = QStringLiteral("/opt/") + name;
    const QString file = folder + PathDelim + name + QStringLiteral(".exe");
    EXPECT_EQ(ShellExecuteW(7, QStringLiteral("open"), file, QString(""), folder, SW_SHOW),
              ShellExecuteSucceeded);
    expected.push_back({7, QStringLiteral("open"), file, QString(""), folder, SW_SHOW});
  }
  ShellExecuteW(0, QStringLiteral("open"), QStringLiteral("https://www.example.com/a b?q=\"x\""),
                QString(), QString(), SW_SHOWNORMAL);
  expected.push_back({0, QStringLiteral("open"),
                      QStringLiteral("https://www.example.com/a b?q=\"x\""), QString(), QString(),
                      SW_SHOWNORMAL});
  EXPECT_EQ(recorder.Requests(), expected);
}

TEST(ShellHook, RecordersNestAndRestoreThePreviousHook) {
  TShellExecuteRecorder outer;
  {
    TShellExecuteRecorder inner(SE_ERR_FNF);
    EXPECT_EQ(ShellExecuteW(0, "open", "a", "", "", SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(inner.Requests().size(), 1u);
  }
  EXPECT_TRUE(outer.Requests().empty());
  EXPECT_EQ(ShellExecuteW(0, "open", "b", "", "", SW_SHOW), ShellExecuteSucceeded);
  ASSERT_EQ(outer.Requests().size(), 1u);
  EXPECT_EQ(outer.Requests()[0].File, "b");

  int calls = 0;
  TShellExecuteHook previous = SetShellExecuteHook([&calls](const TShellExecuteRequest&) {
    ++calls;
    return std::intptr_t{99};
  });
  EXPECT_EQ(ShellExecuteW(0, "open", "c", "", "", SW_SHOW), 99);
  EXPECT_EQ(calls, 1);
  SetShellExecuteHook(std::move(previous));
  EXPECT_EQ(ShellExecuteW(0, "open", "d", "", "", SW_SHOW), ShellExecuteSucceeded);
  EXPECT_EQ(outer.Requests().size(), 2u);
}

#if !defined(_WIN32)

class ShellTarget : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temp_.isValid()); }
  QString Path(const QString& name) const { return QDir(temp_.path()).absoluteFilePath(name); }
  QTemporaryDir temp_;
};

TEST_F(ShellTarget, AwkwardNamesKeepEveryCharacter) {
  for (const QString& name : kAwkwardNames) {
    SCOPED_TRACE(name.toStdString());
    const QString folder = Path(name);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + PathDelim + name + QStringLiteral(".exe");
    const QString document = folder + PathDelim + name + QStringLiteral(".txt");
    WriteFile(program, "#!/bin/sh\n", true);
    WriteFile(document, "text", false);

    struct Case {
      QString file, directory;
      TShellTargetKind kind;
      QString location;
    };
    const Case cases[] = {
        {folder, {}, stkFolder, folder},
        {program, folder, stkExecutable, program},
        {document, {}, stkDocument, document},
        // Relative names come from the working folder, even ones starting with "-".
        {name + QStringLiteral(".exe"), folder, stkExecutable, program},
        {name, temp_.path(), stkFolder, folder},
        {folder + QStringLiteral("/gone"), {}, stkMissing, folder + QStringLiteral("/gone")},
    };
    for (const Case& c : cases) {
      const TShellTarget target = ResolveShellTarget(c.file, c.directory);
      EXPECT_EQ(target.Kind, c.kind) << c.file.toStdString();
      EXPECT_EQ(target.Location, c.location);
    }
  }
}

TEST_F(ShellTarget, WebAddressesAreRecognisedByTheirScheme) {
  struct Case {
    const char* file;
    TShellTargetKind kind;
  };
  const Case cases[] = {
      {"https://www.example.org/", stkWebAddress},
      {"HTTP://example.net/a b", stkWebAddress},
      {"mailto:someone@example.com", stkWebAddress},
      {"http://", stkMissing},  // a bare scheme names nothing
      {"", stkMissing},
      {"www.example.com", stkMissing},  // not an address without a scheme
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveShellTarget(QString::fromUtf8(c.file), temp_.path()).Kind, c.kind) << c.file;
  }
}

TEST_F(ShellTarget, FailuresAreReportedWithoutActing) {
  const QString program = Path(QStringLiteral("tool.exe"));
  const QString marker = Path(QStringLiteral("ran"));
  WriteFile(program, ("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8(), true);

  EXPECT_EQ(ShellExecuteW(0, "open", Path("missing.exe"), "", temp_.path(), SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(ShellExecuteW(0, "print", program, "", temp_.path(), SW_SHOW), SE_ERR_NOASSOC);
  EXPECT_EQ(ShellExecuteW(0, "open", program, "", Path("no such folder"), SW_SHOW), SE_ERR_PNF);
  EXPECT_FALSE(WaitForFile(marker, 200));
}

TEST_F(ShellTarget, ExecutableStartsInItsWorkingFolderWithItsPathIntact) {
  const QString report = Path(QStringLiteral("report.txt"));
  int index = 0;
  for (const QString& name : kAwkwardNames) {
    SCOPED_TRACE(name.toStdString());
    const QString folder = Path(name);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + PathDelim + name + QStringLiteral(".exe");
    const QString done = report + QString::number(index++);
    // The script reports its working folder, its own path and its arguments.
    WriteFile(program,
              ("#!/bin/sh\n"
               "{ pwd -P; printf '%s\\n' \"$0\" \"$#\" \"$1\" \"$2\"; } > '" +
               done + ".tmp'\nmv '" + done + ".tmp' '" + done + "'\n")
                  .toUtf8(),
              true);

    EXPECT_GT(ShellExecuteW(0, QStringLiteral("open"), program, QStringLiteral("one \"two words\""),
                            folder, SW_SHOW),
              32);
    ASSERT_TRUE(WaitForFile(done));
    QFile file(done);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QFileInfo(folder).canonicalFilePath());
    EXPECT_EQ(lines[1], program);
    EXPECT_EQ(lines[2], "2");
    EXPECT_EQ(lines[3], "one");
    EXPECT_EQ(lines[4], "two words");
  }
}

// A Windows program's start through a stand-in for wine on a private PATH,
// which reports its working folder and its arguments, one a line.
class ShellThroughWine : public ShellTarget {
 protected:
  void SetUp() override {
    ShellTarget::SetUp();
    savedPath_ = qgetenv("PATH");
    const QString bin = Path("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(Path("no wine here")));
    WriteFile(bin + "/wine",
              ("#!/bin/sh\n{ pwd -P; printf '%s\\n' \"$@\"; } > '" + report_ + ".tmp'\nmv '" +
               report_ + ".tmp' '" + report_ + "'\n")
                  .toUtf8(),
              true);
    withWine_ = (bin + ":/usr/bin:/bin").toUtf8();
    qputenv("PATH", withWine_);
    folder_ = Path(QStringLiteral("Ünïcödé Ordner ☃"));
    ASSERT_TRUE(QDir().mkpath(folder_));
    QByteArray header(0x40, '\0');
    header[0] = 'M';
    header[1] = 'Z';
    header[0x3C] = 0x40;
    WriteFile(folder_ + "/Converter.exe", header + QByteArray("PE\0\0", 4), false);
    WriteFile(folder_ + "/Native.exe", header + QByteArray("PE\0\0", 4), true);
  }
  void TearDown() override { qputenv("PATH", savedPath_); }

  // The stand-in's report, or an empty list when it did not run.
  QStringList Report() {
    if (!WaitForFile(report_)) return {};
    QFile file(report_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeLast();
    file.remove();
    return lines;
  }

  QString report_ = Path(QStringLiteral("wine-report"));
  QString folder_;
  QByteArray withWine_;
  QByteArray savedPath_;
};

TEST_F(ShellThroughWine, WindowsProgramStartsThroughWineInItsFolderWithFilesAsWindowsPaths) {
  const QString canonical = QFileInfo(folder_).canonicalFilePath();
  for (const char* name : {"Converter.exe", "Native.exe"}) {  // without and with the execute bit
    SCOPED_TRACE(name);
    const QString program = folder_ + "/" + name;
    EXPECT_EQ(ResolveShellTarget(program, {}).Kind, stkWindowsProgram);
    EXPECT_GT(ShellExecuteW(0, "open", program, "", folder_, SW_SHOW), 32);
    EXPECT_EQ(Report(), QStringList({canonical, program}));
    // Without a working folder it runs in its own.
    EXPECT_GT(ShellExecuteW(0, "open", program, "", "", SW_SHOW), 32);
    EXPECT_EQ(Report(), QStringList({canonical, program}));
    EXPECT_GT(
        ShellExecuteWithArguments(0, program, {"/tmp/a b.flv", "/tmp/it's.flv"}, folder_, SW_SHOW),
        32);
    EXPECT_EQ(Report(), QStringList({canonical, program, "Z:\\tmp\\a b.flv", "Z:\\tmp\\it's.flv"}));
  }
}

TEST_F(ShellThroughWine, WithoutWineAWindowsProgramStartsNothing) {
  qputenv("PATH", Path("no wine here").toUtf8());
  const QString program = folder_ + "/Converter.exe";
  EXPECT_EQ(ShellExecuteW(0, "open", program, "", folder_, SW_SHOW), SE_ERR_NOASSOC);
  EXPECT_EQ(ShellExecuteWithArguments(0, program, {"/tmp/a.flv"}, folder_, SW_SHOW),
            SE_ERR_NOASSOC);
  qputenv("PATH", withWine_);
  EXPECT_FALSE(WaitForFile(report_, 300));
}

#endif

}  // namespace
}  // namespace mirto
