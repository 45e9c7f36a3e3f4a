#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "catalog/MirtoApps.h"
#include "launcher/ProgramFinder.h"

namespace mirto {
namespace {

TEST(ProgramFinder, FindsProgramsByEveryWordOfNameGroupTitleAndDescription) {
  QTemporaryDir folder;
  InitCatalog(folder.filePath(QStringLiteral("mirto")));
  struct Case {
    const char* query;
    std::vector<int> found;  // catalog order
  };
  const Case cases[] = {
      {"mkv mp4", {36}},                  // two words of one name
      {"MKV", {25, 36}},                  // case does not matter
      {"wEBm AVI", {26}},                 //
      {"portable", {18, 19, 20}},         // a group's title
      {"zune", {18, 19, 20}},             // ... and its description
      {"3g2", {13, 17}},                  // a group's description
      {"  mp3   wav   flac ", {21, 30}},  // blanks around and between words
      {"audio & video", {21}},            // "&&" in a group's title is one "&"
      {"&&", {}},                         // ... so nobody sees two
      {"extractor", {21}},                //
      {"qqq", {}},                        // no match
      {"mkv qqq", {}},                    // every word must match
      {"", {}},                           // no words, no programs
      {"   ", {}},                        //
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindPrograms(QString::fromUtf8(c.query)), c.found) << c.query;
  FinalizeCatalog();
}

}  // namespace
}  // namespace mirto
