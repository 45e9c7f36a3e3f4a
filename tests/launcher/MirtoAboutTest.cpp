#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "catalog/MirtoApps.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "launcher/MirtoAbout.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCatalog(QStringLiteral("/opt/pack/mirto"));
    about_ = std::make_unique<TFormAbout>();
  }
  void TearDown() override {
    about_.reset();
    FinalizeCatalog();
  }
  std::unique_ptr<TFormAbout> about_;
};

TEST_F(AboutWindow, MarginsOffMoveTheAnchoredControlsAndTheListIsFilled) {
  EXPECT_EQ(about_->Width(), 566);
  EXPECT_EQ(about_->Height(), 389);
  EXPECT_EQ(about_->pnMain->BoundsRect(), Bounds(0, 0, 566, 389));
  EXPECT_EQ(about_->btnClose->BoundsRect(), Bounds(537, 6, 24, 24));
  EXPECT_EQ(about_->TeskPanel1->BoundsRect(), Bounds(32, 168, 506, 202));
  EXPECT_EQ(about_->meApps->BoundsRect(), Bounds(2, 2, 502, 198));
  EXPECT_EQ(about_->lblVersion->Caption(), "Version 2.21");
  EXPECT_EQ(about_->lblDate->Caption(), "19.10.2019");
  EXPECT_EQ(about_->lblDonation->Hint(), about_->lblDonation->URL());
  EXPECT_EQ(about_->lblDonation->FontVisitedHot().Color(), 0x001313E1);
  const QString text = about_->meApps->Text();
  EXPECT_EQ(text.count(QStringLiteral("\r\n")), 24);
  EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n")));
  EXPECT_EQ(about_->ActiveControl(), about_->btnClose);
}

TEST_F(AboutWindow, EscAndTheCloseButtonEndTheModalShowing) {
  for (const bool byEsc : {true, false}) {
    // Acts once the window is shown modally (a slow build, or a busy
    // machine, may get here late); Esc once it is also active, since
    // shortcuts reach only the active window (the list's text box is made
    // while the window first shows, so activation may come a few events later).
    QTimer act;
    QObject::connect(&act, &QTimer::timeout, [this, byEsc, &act] {
      if (!about_->Modal() || (byEsc && !about_->Active())) return;
      act.stop();
      if (byEsc) {
        QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget()
                                                 : testing::NativeWidgetOf(*about_);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
      } else {
        about_->btnClose->Click();
      }
    });
    act.start(20);
    QTimer safetyNet;  // ends a showing the key or click failed to end
    safetyNet.setSingleShot(true);
    QObject::connect(&safetyNet, &QTimer::timeout, [this] { about_->SetModalResult(mrAbort); });
    safetyNet.start(3000);
    EXPECT_EQ(about_->ShowModal(), mrCancel) << (byEsc ? "Esc" : "Close");
  }
}

// The program list was one text box of 1,599 characters: it is a table
// named after the collection the label above it names, a row per program
// with its version and date, on the text box that takes the focus (made when
// the window first shows).
TEST_F(AboutWindow, TheProgramListReadsAsATableOfTheProgramsWithTheirVersionsAndDates) {
  about_->Show();
  QAccessibleInterface* table =
      testing::FindAccessible(testing::AccessibleRoot(), QAccessible::Table,
                              QStringLiteral("Collection of portable audio & video converters"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->object(), testing::NativeWidgetOf(*about_->meApps)->focusProxy());
  QAccessibleTableInterface* rows = table->tableInterface();
  ASSERT_EQ(rows->rowCount(), 25);
  ASSERT_EQ(rows->columnCount(), 3);
  EXPECT_EQ(rows->columnDescription(0), "Program");
  for (int row = 0; row < rows->rowCount(); ++row) {
    const TProgramInfo& program = Programs[IndexOfProgram(AboutProgramOrder[row])];
    const QStringList cells = {rows->cellAt(row, 0)->text(QAccessible::Name),
                               rows->cellAt(row, 1)->text(QAccessible::Name),
                               rows->cellAt(row, 2)->text(QAccessible::Name)};
    EXPECT_EQ(cells, (QStringList{program.ProgramName, program.Version, program.Date}));
  }
  about_->Hide();
}

TEST_F(AboutWindow, OnlyTheBackgroundDragsTheWindow) {
  EXPECT_TRUE(static_cast<bool>(about_->pnMain->OnMouseMove));
  EXPECT_FALSE(static_cast<bool>(about_->meApps->OnMouseMove));
  EXPECT_FALSE(static_cast<bool>(about_->TeskPanel1->OnMouseMove));
}

}  // namespace
}  // namespace mirto
