#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "launcher/ProgramLauncher.h"
#include "platform/system/FileSystem.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

constexpr TWindowHandle kMainWindow = 0x1234;

QString P(const char* path) { return QString::fromUtf8(path).replace(u'\\', PathDelim); }

TShellExecuteRequest Open(const QString& file, const QString& directory) {
  return {kMainWindow, "open", file, "", directory, SW_SHOW};
}

class Launching : public ::testing::Test {
 protected:
  void TearDown() override { FinalizeCatalog(); }
  TShellExecuteRecorder shell_;
};

TEST_F(Launching, RunProgramOpensTheExecutableInItsOwnFolder) {
  InitCatalog(P("C:\\Pack\\launcher.exe"));
  RunProgram(kMainWindow, 21);
  RunProgram(kMainWindow, 35);
  RunProgram(kMainWindow, 20);
  const std::vector<TShellExecuteRequest> expected = {
      Open(P("C:\\Pack\\apps64\\AudioExtractor\\AudioExtractor64.exe"),
           P("C:\\Pack\\apps64\\AudioExtractor")),
      Open(P("C:\\Pack\\apps64\\AviToMp4\\AviToMp4_64.exe"), P("C:\\Pack\\apps64\\AviToMp4")),
      Open(P("C:\\Pack\\apps64\\Handheld Converter\\HandheldConv.exe"),
           P("C:\\Pack\\apps64\\Handheld Converter")),
  };
  EXPECT_EQ(shell_.Requests(), expected);
  // Parameters are an empty text, not an absent one.
  ASSERT_FALSE(shell_.Requests().empty());
  EXPECT_FALSE(shell_.Requests()[0].Parameters.isNull());
}

TEST_F(Launching, UnknownLauncherFolderStartsNothing) {
  ::testing::internal::CaptureStderr();
  InitCatalog(QString());
  ::testing::internal::GetCapturedStderr();
  for (int id : {12, 20, 35}) {
    RunProgram(kMainWindow, id);
    OpenProgramFolder(kMainWindow, id);
  }
  EXPECT_TRUE(shell_.Requests().empty());
}

TEST_F(Launching, UnknownProgramsAskNothingOfTheShell) {
  InitCatalog(P("C:\\Pack\\launcher.exe"));
  for (int id : {0, 11, -1, 10, 200}) {
    RunProgram(kMainWindow, id);
    OpenProgramFolder(kMainWindow, id);
    OpenProgramHomePage(kMainWindow, id);
  }
  EXPECT_TRUE(shell_.Requests().empty());
}

TEST_F(Launching, HomePageHasNoWorkingFolder) {
  InitCatalog(P("C:\\Pack\\launcher.exe"));
  OpenProgramHomePage(kMainWindow, 33);
  const std::vector<TShellExecuteRequest> expected = {
      Open(FindInstallationRecord(33)->Url.toString(), "")};
  EXPECT_EQ(shell_.Requests(), expected);
}

TEST_F(Launching, MissingFolderIsNotOpenedButItsProgramStillRuns) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  InitCatalog(temp.filePath("mirto"));
  OpenProgramFolder(kMainWindow, 12);
  EXPECT_TRUE(shell_.Requests().empty());
  RunProgram(kMainWindow, 12);
  EXPECT_EQ(shell_.Requests().size(), 1u);
}

TEST_F(Launching, FoldersWithSpacesAndNonAsciiLettersArriveIntact) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString launcherFolder =
      QDir::toNativeSeparators(temp.filePath(QStringLiteral("Mïrto Pàck ünd Ñame ☃")));
  InitCatalog(launcherFolder + PathDelim + "mirto");
  const QString programFolder = launcherFolder + PathDelim + "apps64" + PathDelim + "Video to MP4";
  ASSERT_EQ(GetProgramDir(27), programFolder);
  ASSERT_TRUE(QDir().mkpath(programFolder));

  OpenProgramFolder(kMainWindow, 27);
  RunProgram(kMainWindow, 27);
  const std::vector<TShellExecuteRequest> expected = {
      Open(programFolder, programFolder),
      Open(programFolder + PathDelim + "VideoToMp464.exe", programFolder),
  };
  EXPECT_EQ(shell_.Requests(), expected);
}

TEST_F(Launching, AFileWhereTheFolderShouldBeIsNotOpened) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  InitCatalog(temp.filePath("mirto"));
  ASSERT_TRUE(QDir().mkpath(AppParams.AppsDir));
  QFile blocker(GetProgramDir(9));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  OpenProgramFolder(kMainWindow, 9);
  EXPECT_TRUE(shell_.Requests().empty());
}

// Names a file manager may well hand over: each must arrive as one argument.
const QStringList kHostileFiles = {QStringLiteral("/data/my clip.avi"), QStringLiteral("-rf"),
                                   QStringLiteral("/data/$(touch pwned) \"quoted\" 'single'.mkv"),
                                   QStringLiteral("/data/line\nbreak.mp4"),
                                   QStringLiteral("/data/Vidéo ñ 映画.webm")};

TEST_F(Launching, DroppedFilesBecomeOneArgumentEachInOrderInTheProgramsFolder) {
  InitCatalog(P("C:\\Pack\\launcher.exe"));
  RunProgramWithFiles(kMainWindow, 21, kHostileFiles);
  RunProgramWithFiles(kMainWindow, 999, kHostileFiles);  // unknown: nothing
  TShellExecuteRequest expected = Open(P("C:\\Pack\\apps64\\AudioExtractor\\AudioExtractor64.exe"),
                                       P("C:\\Pack\\apps64\\AudioExtractor"));
  expected.Parameters = WindowsCommandLine(kHostileFiles);
  expected.Arguments = kHostileFiles;
  EXPECT_EQ(shell_.Requests(), std::vector<TShellExecuteRequest>{expected});
}

}  // namespace
}  // namespace mirto
