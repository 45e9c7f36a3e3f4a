#include <gtest/gtest.h>

#include <QAccessible>

#include "components/ButtonEx.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoTitleLabel.h"
#include "platform/toolkit/Form.h"
#include "tests/support/Placing.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

TEST(ComponentsAccessibility, PanelButtonLinkAndTitleReportRoleAndName) {
  TForm form;
  form.SetBounds(0, 0, 300, 100);
  auto* panel = testing::Place<TKvoPanel>(&form, &form, 0, 0, 300, 100);
  panel->SetHint(QStringLiteral("Main area"));
  auto* button = testing::Place<TButtonEx>(&form, panel, 10, 10, 120, 30);
  button->SetCaption(QStringLiteral("Audio & Video"));  // shown and named as it stands
  auto* link = testing::Place<TKvoLinkLabel>(&form, panel, 10, 60, 120, 17);
  link->SetCaption(QStringLiteral("www.example.com"));
  auto* title = new TKvoTitleLabel(&form);  // reported as a panel once
  title->SetParent(panel);
  title->SetCaption(QStringLiteral("Mirto 2.21"));
  form.Show();

  const struct {
    TControl* control;
    QAccessible::Role role;
    QString name;
  } expected[] = {{panel, QAccessible::Pane, "Main area"},
                  {button, QAccessible::PushButton, "Audio & Video"},
                  {link, QAccessible::Link, "www.example.com"},
                  {title, QAccessible::StaticText, "Mirto 2.21"}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name.toStdString());
    QAccessibleInterface* a =
        QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*e.control));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), e.role);
    EXPECT_EQ(a->text(QAccessible::Name), e.name);
  }
  button->SetEnabled(false);
  EXPECT_TRUE(
      QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*button))->state().disabled);
  QAccessibleInterface* linkInterface =
      QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*link));
  EXPECT_FALSE(linkInterface->state().disabled);
  link->SetEnabled(false);
  EXPECT_TRUE(linkInterface->state().disabled);
}

}  // namespace
}  // namespace mirto
