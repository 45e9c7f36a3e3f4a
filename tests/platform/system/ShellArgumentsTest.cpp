#include <gtest/gtest.h>

#include <string_view>

#include "platform/system/Shell.h"

namespace mirto {
namespace {

std::u16string_view Text(const char16_t* text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

// The system's call used to get an absent pointer for empty parameters and
// an empty working folder, where the launcher asks for an empty text.
TEST(ShellArguments, EmptyParametersAndFolderArePassedAsEmptyTextsNotAbsent) {
  for (const QString& empty : {QString(), QString(""), QStringLiteral("")}) {
    const char16_t* text = ShellArgumentText(empty);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text[0], u'\0');
  }
  const QString folder = QStringLiteral("C:\\Pack\\apps64\\Vidéo to MP4");
  EXPECT_EQ(Text(ShellArgumentText(folder)),
            std::u16string_view(u"C:\\Pack\\apps64\\Vidéo to MP4"));
}

}  // namespace
}  // namespace mirto

#include "platform/system/Shell.h"

namespace mirto {
namespace {

// What the Windows rules for splitting a command line turn back into the
// very arguments given.
TEST(ShellArguments, WindowsCommandLineQuotesSoThatEveryArgumentComesBackIntact) {
  struct Case {
    QStringList arguments;
    const char* commandLine;
  };
  const Case cases[] = {
      {{"plain", "-x", "C:\\dir\\"}, R"(plain -x C:\dir\)"},
      {{"two words"}, R"("two words")"},
      {{""}, R"("")"},
      {{"say \"hi\""}, R"("say \"hi\"")"},
      {{"C:\\my dir\\"}, R"("C:\my dir\\")"},  // the last backslash would escape the quote
      {{"a\\\"b"}, R"("a\\\"b")"},             // a backslash before a quote
      {{"a\\\\b c"}, R"("a\\b c")"},           // backslashes elsewhere stand for themselves
      {{"$(rm -rf x)", "line\nbreak", "tab\there"},
       "\"$(rm -rf x)\" \"line\nbreak\" \"tab\there\""},
      {{QString::fromUtf8("Vidéo.mkv")}, "Vidéo.mkv"},
      {{}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WindowsCommandLine(c.arguments), QString::fromUtf8(c.commandLine)) << c.commandLine;
}

}  // namespace
}  // namespace mirto
