// The launcher hidden in the tray of a panel that draws the tray menu
// itself: the panel gets the video menu, and its entries do what the video
// menu's entries do.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusArgument>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "launcher/MirtoMain.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Shell.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "tests/statusnotifier/StandInHost.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

const QString kMenuPath = QStringLiteral("/MenuBar");

TEST(LauncherInAPanelsTray, ThePanelDrawsTheVideoMenuAndItsEntriesShowGroupsAndStartPrograms) {
  testing::StandInHost host;
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  InitCatalog(folder.filePath(QStringLiteral("mirto")));
  TShellExecuteRecorder shell;
  auto main = std::make_unique<TFormMain>();
  main->Show();
  // The pictures are loaded once the window showed.
  testing::RunEventsFor(100);
  main->btnMinimizeToTrayClick(main->btnMinimizeToTray);
  ASSERT_FALSE(main->Visible()) << "the window did not go to the panel's tray";
  const QString item = host.WaitForRegistration();
  ASSERT_FALSE(item.isEmpty());

  const testing::HostEntry menu = host.Layout(item, kMenuPath);
  ASSERT_EQ(menu.children.size(), 30u);
  QStringList labels;
  for (const testing::HostEntry& entry : menu.children) {
    labels << (entry.Separator() ? QStringLiteral("-") : entry.Label());
    EXPECT_TRUE(entry.Enabled()) << entry.Label().toStdString();
  }
  EXPECT_EQ(
      labels.mid(0, 8),
      (QStringList{"CATEGORY:   Video -> AVI / MPG", GetProgramDisplayName(14),
                   GetProgramDisplayName(25), GetProgramDisplayName(12), GetProgramDisplayName(15),
                   GetProgramDisplayName(13), GetProgramDisplayName(26), "-"}));
  EXPECT_EQ(labels.count("-"), 5);
  EXPECT_EQ(labels.last(), GetProgramDisplayName(20));
  EXPECT_FALSE(labels.join(' ').contains("AUDIO")) << "the tray menu is the video menu";
  // The programs' pictures; the group entries have none, but their shortcuts.
  const QImage picture =
      QImage::fromData(menu.children[1].properties.value("icon-data").toByteArray(), "PNG");
  EXPECT_EQ(picture.size(), QSize(16, 16));
  EXPECT_FALSE(menu.children[0].properties.contains("icon-data"));
  EXPECT_EQ(qdbus_cast<QList<QStringList>>(menu.children[8].properties.value("shortcut")),
            (QList<QStringList>{{"Control", "2"}}));

  // The group entry shows its group without showing the window.
  host.MenuEvent(item, kMenuPath, menu.children[8].id, "clicked");
  ASSERT_TRUE(testing::WaitUntil([&] { return main->tmCat->Enabled(); }));
  ASSERT_TRUE(testing::WaitUntil([&] { return !main->tmCat->Enabled(); }));
  QString heading;
  for (int i = 0; i < main->pnMain->ControlCount() && heading.isEmpty(); ++i)
    if (const auto* label = dynamic_cast<TLabel*>(main->pnMain->Controls(i)))
      heading = label->Caption();
  EXPECT_EQ(heading, "Video -> MP4");
  EXPECT_FALSE(main->Visible());

  // A program entry starts its program.
  host.MenuEvent(item, kMenuPath, menu.children[1].id, "clicked");
  ASSERT_TRUE(testing::WaitUntil([&] { return !shell.Requests().empty(); }));
  const TProgramInfo& program = Programs[IndexOfProgram(14)];
  EXPECT_EQ(shell.Requests()[0].File, program.Dir + PathDelim + program.ExeFile);

  main.reset();
  FinalizeCatalog();
}

}  // namespace
}  // namespace mirto
