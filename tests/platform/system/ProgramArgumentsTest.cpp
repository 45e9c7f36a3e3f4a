#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>

#include "platform/system/ProgramArguments.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

#if defined(_WIN32)
// The system's wide command line, whatever the narrow argv holds: this
// program's own arguments are the test runner's flags, the filter among them
// when one was given (as ctest gives each test's name).
TEST(ProgramArguments, AreTheWideCommandLinesWithoutTheProgramsName) {
  char name[] = "ignored";
  char* argv[] = {name, nullptr};
  const QStringList arguments = ProgramArguments(1, argv);
  for (const QString& argument : arguments) {
    EXPECT_TRUE(argument.startsWith(u"--gtest_")) << argument.toStdString();
  }
  const std::string filter = GTEST_FLAG_GET(filter);
  if (filter != "*") {
    EXPECT_TRUE(
        arguments.contains(QStringLiteral("--gtest_filter=") + QString::fromStdString(filter)));
  }
}
#else
TEST(ProgramArguments, AreArgvWithoutTheProgramsNameEachKeptWhole) {
  char name[] = "/somewhere/Stand-in.exe";
  char blanks[] = "first clip.flv";
  char dash[] = "-second";
  char letters[] = "\xc3\xa4rger \"quoted\".flv";
  char* argv[] = {name, blanks, dash, letters, nullptr};
  EXPECT_EQ(ProgramArguments(4, argv),
            (QStringList{QStringLiteral("first clip.flv"), QStringLiteral("-second"),
                         QString::fromUtf8("\xc3\xa4rger \"quoted\".flv")}));
  EXPECT_TRUE(ProgramArguments(1, argv).isEmpty());
}
#endif

}  // namespace
}  // namespace mirto
