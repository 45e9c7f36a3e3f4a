#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "platform/system/FileSystem.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// Paths written with backslashes, turned into this platform's form.
QString P(const char* path) { return QString::fromUtf8(path).replace(u'\\', PathDelim); }

class Paths : public ::testing::Test {
 protected:
  void TearDown() override { FinalizeCatalog(); }
};

TEST_F(Paths, LauncherFolderAppsFolderAndIniNameFollowTheExecutable) {
  struct Case {
    const char* exe;
    const char* myDir;
    const char* appsDir;
    const char* iniName;
  };
  const Case cases[] = {
      {"C:\\Tools\\Pack\\launcher.exe", "C:\\Tools\\Pack", "C:\\Tools\\Pack\\apps64",
       "C:\\Tools\\Pack\\launcher.ini"},
      {"D:\\launcher.exe", "D:", "D:\\apps64", "D:\\launcher.ini"},
      {"\\launcher", "", "\\apps64", "\\launcher.ini"},
      // The extension is taken from the file name, never from a folder.
      {"\\opt\\my.pack\\mirto", "\\opt\\my.pack", "\\opt\\my.pack\\apps64",
       "\\opt\\my.pack\\mirto.ini"},
      {"\\opt\\pack\\mirto.tar.gz", "\\opt\\pack", "\\opt\\pack\\apps64",
       "\\opt\\pack\\mirto.tar.ini"},
  };
  for (const Case& c : cases) {
    InitAppParams(P(c.exe));
    EXPECT_EQ(AppParams.MyDir, P(c.myDir)) << c.exe;
    EXPECT_EQ(AppParams.AppsDir, P(c.appsDir)) << c.exe;
    EXPECT_EQ(AppParams.IniName, P(c.iniName)) << c.exe;
  }
}

TEST_F(Paths, UnknownExecutableLeavesEveryPathEmptyAndSaysSoOnce) {
  for (const char* exe : {"", "launcher"}) {
    ::testing::internal::CaptureStderr();
    InitCatalog(QString::fromUtf8(exe));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(AppParams.MyDir.isEmpty());
    EXPECT_TRUE(AppParams.AppsDir.isEmpty());
    EXPECT_TRUE(AppParams.IniName.isEmpty());
    ASSERT_EQ(Programs.size(), 25u);
    for (const TProgramInfo& p : Programs) EXPECT_TRUE(p.Dir.isEmpty()) << p.ID;
  }
}

TEST_F(Paths, WithoutArgumentsTheRunningExecutableDecides) {
  InitCatalog();
  const QString exe = ExecutableFileName();
  const QString folder = exe.left(exe.lastIndexOf(PathDelim));
  EXPECT_EQ(AppParams.MyDir, folder);
  EXPECT_EQ(AppParams.AppsDir, folder + PathDelim + "apps64");
  EXPECT_EQ(Programs.size(), 25u);
}

TEST_F(Paths, ProgramFoldersLieOneLevelBelowTheAppsFolder) {
  InitCatalog(P("\\srv\\Mirto Pack\\mirto"));
  std::set<QString> folders;
  for (const TProgramInfo& p : Programs) {
    const QString prefix = AppParams.AppsDir + PathDelim;
    ASSERT_TRUE(p.Dir.startsWith(prefix)) << p.Dir.toStdString();
    const QString folder = p.Dir.mid(prefix.size());
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_FALSE(folder.contains(u'/') || folder.contains(u'\\')) << folder.toStdString();
    EXPECT_EQ(folder, FindInstallationRecord(p.ID)->FolderName.toString());
    folders.insert(folder);
    EXPECT_EQ(p.ExeFile, GetExeName(p.ID, true));
  }
  EXPECT_EQ(folders.size(), Programs.size()) << "no two programs share a folder";
}

TEST_F(Paths, ExecutableNamesFollowTheBuildsOfEachProgram) {
  struct Case {
    int id;
    bool is64;
    const char* expected;
  };
  const Case cases[] = {
      {20, true, "HandheldConv.exe"},
      {20, false, "HandheldConv.exe"},
      {9, true, "Mp3EncoderShell.exe"},
      {21, true, "AudioExtractor64.exe"},
      {21, false, "AudioExtractor.exe"},
      {12, true, "FlvConverter64.exe"},
      {35, true, "AviToMp4_64.exe"},
      {31, false, "Mp4ToMp3.exe"},
      {31, true, "Mp4ToMp3_64.exe"},
      {22, true, ""},
      {22, false, ""},
      {0, true, ""},
      {-1, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetExeName(c.id, c.is64), QString::fromUtf8(c.expected)) << c.id << " " << c.is64;
  }

  // Every 64-bit name is the base name or the base name with "64" or "_64"
  // before ".exe", by the program's builds.
  const std::set<int> plain = {9, 16, 17, 18, 19, 20, 28, 30, 37};
  const std::set<int> suffix = {12, 13, 14, 15, 21, 25, 26, 27, 29};
  for (const TInstallationRecord& r : InstallationRecords()) {
    const QString base = r.BaseExeName.toString();
    ASSERT_TRUE(base.endsWith(".exe")) << base.toStdString();
    const QString stem = base.chopped(4);
    const QString expected = plain.count(r.ID)    ? base
                             : suffix.count(r.ID) ? stem + "64.exe"
                                                  : stem + "_64.exe";
    EXPECT_EQ(GetExeName(r.ID, true), expected) << r.ID;
    EXPECT_EQ(GetExeName(r.ID, false), base) << r.ID;
  }
}

TEST_F(Paths, LookupsOfUnknownIdsAreEmpty) {
  InitCatalog(P("\\opt\\pack\\mirto"));
  for (int id : {11, 0, -1, 22, 100}) {
    EXPECT_TRUE(GetProgramUrl(id).isEmpty()) << id;
    EXPECT_TRUE(GetProgramDir(id).isEmpty()) << id;
    EXPECT_TRUE(GetProgramDisplayName(id).isEmpty()) << id;
  }
  EXPECT_TRUE(GetGroupTitle(12).isEmpty());
  EXPECT_TRUE(GetGroupTitle(70).isEmpty());

  EXPECT_EQ(GetProgramDisplayName(21), "Audio Extractor & Converter");
  EXPECT_EQ(GetProgramDir(21), P("\\opt\\pack\\apps64\\AudioExtractor"));
  EXPECT_EQ(GetProgramUrl(21), FindInstallationRecord(21)->Url.toString());
  EXPECT_EQ(GetGroupTitle(30), "Flash Video Converters");

  FinalizeCatalog();
  EXPECT_TRUE(GetProgramDisplayName(21).isEmpty()) << "nothing is found in an empty catalog";
}

TEST(StringUtilities, PadRightFillsButNeverCuts) {
  const QString name45 = QString(45, u'n');
  struct Case {
    QString text;
    int length;
    QChar pad;
    QString expected;
  };
  const Case cases[] = {
      {name45, 41, u' ', name45},
      {"", 5, u'.', "....."},
      {"abc", 3, u' ', "abc"},
      {"abc", 5, u' ', "abc  "},
      {"abc", -4, u' ', "abc"},
      {"", 0, u' ', ""},
      // Characters are UTF-16 units, as the about window's columns count them.
      {QStringLiteral("Ünï"), 5, u'·', QStringLiteral("Ünï··")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PadRight(c.text, c.length, c.pad), c.expected) << c.length;
  }
}

TEST(StringUtilities, NormalizeDirDropsOneTrailingDelimiterAndDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Tools\\Pack\\", "C:\\Tools\\Pack"},
      {"C:\\Tools\\Pack\\.", "C:\\Tools\\Pack"},
      {"C:\\Tools\\Pack", "C:\\Tools\\Pack"},
      {"D:\\", "D:"},
      {"C:\\Tools\\Pack\\\\", "C:\\Tools\\Pack\\"},  // only one delimiter goes
      {"C:\\Tools\\.hidden", "C:\\Tools\\.hidden"},
      {"C:\\Tools\\..", "C:\\Tools\\.."},
      {"", ""},
      {"\\", ""},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(NormalizeDir(P(path)), P(expected)) << path;
  }
}

TEST(StringUtilities, DirExistsOnlyForFolders) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString file = temp.filePath("regular.exe");
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  EXPECT_TRUE(DirExists(temp.path()));
  EXPECT_FALSE(DirExists(file));
  EXPECT_FALSE(DirExists(temp.filePath("missing")));
  EXPECT_FALSE(DirExists(""));
}

}  // namespace
}  // namespace mirto
