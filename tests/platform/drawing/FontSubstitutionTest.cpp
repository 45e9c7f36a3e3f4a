#include <gtest/gtest.h>

#include "platform/drawing/FontSubstitution.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// The layouts' families reach the font system as their installed stand-ins;
// a family that is installed, or has no stand-in, goes as it is.
TEST(FontSubstitution, EachFamilyIsAskedForByTheNameOfWhatIsInstalled) {
  struct Case {
    const char* name;
    const char* family;
  };
  for (const Case& c :
       {Case{"Segoe UI", "Open Sans"}, Case{"Tahoma", "Liberation Sans"},
        Case{"MS Sans Serif", "Liberation Sans"}, Case{"Consolas", "Inconsolata"},
        Case{"Liberation Sans", "Liberation Sans"}, Case{"No Such Family", "No Such Family"}})
    for (int asked = 0; asked < 2; ++asked)  // the second answer comes from what was found
      EXPECT_EQ(InstalledFontFamily(c.name).compare(c.family, Qt::CaseInsensitive), 0)
          << c.name << " -> " << InstalledFontFamily(c.name).toStdString();
}

}  // namespace
}  // namespace mirto
