#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>

#include "platform/system/ProgramArguments.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

#if defined(_WIN32)
// The system's wide command line: every argument this test program got,
// whatever the narrow argv holds.
TEST(ProgramArguments, AreTheWideCommandLinesWithoutTheProgramsName) {
  char name[] = "ignored";
  char* argv[] = {name, nullptr};
  const QStringList arguments = ProgramArguments(1, argv);
  EXPECT_EQ(arguments, QCoreApplication::arguments().mid(1));
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
