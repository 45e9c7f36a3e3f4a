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
