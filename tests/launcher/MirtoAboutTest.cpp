#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <memory>

#include "catalog/MirtoApps.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "launcher/MirtoAbout.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "tests/support/QtPrinters.h"

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
    // Acts once the window is shown modally (a slow build may get here late)
    // and, for the key, active: the list's text box is made while the window
    // first shows, so activation may come a few events after the showing.
    QTimer act;
    QObject::connect(&act, &QTimer::timeout, [this, byEsc, &act] {
      if (!about_->Modal() || (byEsc && !NativeWidget(*about_)->isActiveWindow())) return;
      act.stop();
      if (byEsc) {
        QWidget* w =
            QApplication::focusWidget() ? QApplication::focusWidget() : NativeWidget(*about_);
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

TEST_F(AboutWindow, OnlyTheBackgroundDragsTheWindow) {
  EXPECT_TRUE(static_cast<bool>(about_->pnMain->OnMouseMove));
  EXPECT_FALSE(static_cast<bool>(about_->meApps->OnMouseMove));
  EXPECT_FALSE(static_cast<bool>(about_->TeskPanel1->OnMouseMove));
}

}  // namespace
}  // namespace mirto
