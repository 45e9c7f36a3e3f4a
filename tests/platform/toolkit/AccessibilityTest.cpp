#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QElapsedTimer>
#include <QMenu>

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ShortCut.h"
#include "platform/toolkit/Timer.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/Placing.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

class PaintedButton : public TBitBtn {
 public:
  using TBitBtn::TBitBtn;

 protected:
  void DrawItem(const TDrawItemStruct& item) override {
    item.Canvas->Brush().SetColor(clRed);
    item.Canvas->FillRect(item.ItemRect);
  }
};

class LinkLabel : public TLabel {
 public:
  explicit LinkLabel(TComponent* owner) : TLabel(owner) { SetAccessibleRole(arLink); }
};

QAccessibleInterface* Accessible(const TControl& control) {
  return QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(control));
}

TEST(Accessibility, ControlsReportRoleNameDescriptionAndState) {
  TForm form;
  form.SetCaption("About");
  form.SetBounds(10, 10, 220, 120);
  auto* panel = testing::Place<TCustomPanel>(&form, &form, 0, 0, 220, 120);
  panel->SetHint("Main area");
  auto* start = testing::Place<PaintedButton>(&form, panel, 10, 10, 60, 22);
  start->SetCaption("&Start && go");
  auto* close = testing::Place<PaintedButton>(&form, panel, 80, 10, 22, 22);
  close->SetHint("Close");
  auto* label = testing::Place<TLabel>(&form, panel, 10, 40, 80, 17);
  label->SetCaption("Version 1.0");
  auto* link = testing::Place<LinkLabel>(&form, panel, 10, 60, 80, 17);
  link->SetCaption("www.example.com");
  form.Show();

  struct Expected {
    const TControl* control;
    QAccessible::Role role;
    QString name;
  };
  const Expected controls[] = {
      {&form, QAccessible::Window, "About"},           {panel, QAccessible::Pane, "Main area"},
      {start, QAccessible::PushButton, "Start & go"},  {close, QAccessible::PushButton, "Close"},
      {label, QAccessible::StaticText, "Version 1.0"}, {link, QAccessible::Link, "www.example.com"},
  };
  for (const Expected& e : controls) {
    QAccessibleInterface* a = Accessible(*e.control);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), e.role) << e.name.toStdString();
    EXPECT_EQ(a->text(QAccessible::Name), e.name);
  }
  EXPECT_EQ(Accessible(*close)->text(QAccessible::Description), "Close");
  EXPECT_TRUE(Accessible(*start)->text(QAccessible::Description).isEmpty());

  QAccessibleInterface* button = Accessible(*start);
  EXPECT_FALSE(button->state().pressed);
  SendMouse(*start, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(button->state().pressed);
  SendMouse(*start, QEvent::MouseButtonRelease, QPoint(80, 5), Qt::LeftButton);
  start->SetEnabled(false);
  EXPECT_TRUE(button->state().disabled);
  close->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Accessible(*close)->state().focused);
  label->Hide();
  EXPECT_TRUE(Accessible(*label)->state().invisible);
  EXPECT_FALSE(Accessible(*link)->state().invisible);
}

TEST(Accessibility, ButtonsOfferThePressAction) {
  TForm form;
  form.SetBounds(10, 10, 100, 60);
  auto* button = new PaintedButton(&form);
  button->SetParent(&form);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  form.Show();

  QAccessibleActionInterface* actions = Accessible(*button)->actionInterface();
  ASSERT_NE(actions, nullptr);
  EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
  button->SetEnabled(false);
  actions->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1) << "a disabled button cannot be pressed";
  button->SetEnabled(true);
  actions->doAction(QAccessibleActionInterface::pressAction());
  delete button;
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1) << "a button destroyed before its press came up is not clicked";
  QAccessibleActionInterface* text = Accessible(*label)->actionInterface();
  EXPECT_TRUE(text == nullptr ||
              !text->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

// A press of a button that opens a popup menu answered only once the menu
// had closed, and screen readers gave up waiting.
TEST(Accessibility, PressReturnsAtOnceAndTheClickRunsFromTheEventLoop) {
  TForm form;
  form.SetBounds(10, 10, 100, 60);
  auto* button = new PaintedButton(&form);
  button->SetParent(&form);
  TPopupMenu menu;
  menu.Items()->Add(new TMenuItem());
  menu.Items()->Items(0)->SetCaption("Entry");
  button->OnClick = [&](TObject*) { menu.Popup(0, 0); };
  form.Show();

  bool pressing = false;
  bool opened = false;
  bool openedWhilePressing = false;
  auto* closer = new TTimer(&menu);
  closer->SetInterval(10);
  closer->OnTimer = [&](TObject*) {
    QMenu* open = testing::OpenMenuOf(menu);
    if (open == nullptr || !open->isVisible()) return;
    opened = true;
    openedWhilePressing = pressing;
    open->close();
  };
  pressing = true;
  Accessible(*button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  pressing = false;
  QElapsedTimer clock;
  clock.start();
  while (!opened && clock.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_TRUE(opened) << "the click runs from the event loop";
  EXPECT_FALSE(openedWhilePressing) << "the press waited for the menu";
}

TEST(Accessibility, MenuEntriesAreNamedByTheirCaptions) {
  TPopupMenu menu;
  auto* entry = new TMenuItem();
  entry->SetCaption("&Audio Converter && Extractor");
  entry->SetShortCut(ShortCut('3', {ssCtrl}));
  menu.Items()->Add(entry);
  QStringList names;
  auto* timer = new TTimer(&menu);
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject*) {
    QMenu* open = testing::OpenMenuOf(menu);
    if (open == nullptr || !open->isVisible()) return;
    timer->SetEnabled(false);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(open);
    for (int i = 0; a != nullptr && i < a->childCount(); ++i)
      names << a->child(i)->text(QAccessible::Name);
    open->close();
  };
  menu.Popup(0, 0);
  EXPECT_EQ(names, QStringList{"Audio Converter & Extractor"});
}

TMenuItem* AddEntry(TMenuItem* parent, const QString& caption) {
  auto* item = new TMenuItem();
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// The open menu is the application's focus and its highlighted entry the
// menu's, wherever the keys or the pointer move the highlight; a sub-menu
// belongs to its entry, not to the application.
TEST(Accessibility, TheHighlightedEntryOfTheOpenMenuHasTheFocus) {
  TPopupMenu menu;
  TMenuItem* open = AddEntry(menu.Items(), "&Open");
  AddEntry(menu.Items(), cLineCaption);
  TMenuItem* sub = AddEntry(menu.Items(), "Sub");
  AddEntry(sub, "Inner");
  TMenuItem* off = AddEntry(menu.Items(), "Off");
  off->SetEnabled(false);
  TMenuItem* last = AddEntry(menu.Items(), "Last");
  bool seen = false;
  const auto inspect = [&](QMenu& shown) {
    const auto entry = [](const TMenuItem* item) {
      return QAccessible::queryAccessibleInterface(testing::ShownActionOf(*item));
    };
    const auto focused = [&] {
      QStringList names;
      for (const TMenuItem* item : {open, sub, off, last})
        if (entry(item)->state().focused) names << entry(item)->text(QAccessible::Name);
      return names.join(u',');
    };
    QAccessibleInterface* root = testing::AccessibleRoot();
    QAccessibleInterface* popup = QAccessible::queryAccessibleInterface(&shown);
    ASSERT_EQ(testing::AccessibleChildren(*root, QAccessible::PopupMenu),
              std::vector<QAccessibleInterface*>{popup});
    seen = true;
    EXPECT_EQ(root->focusChild(), popup);
    EXPECT_EQ(popup->focusChild(), nullptr) << "nothing is highlighted yet";
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(&shown, &press);
    }
    EXPECT_EQ(popup->focusChild(), entry(sub)) << "the keys pass the separator";
    EXPECT_EQ(focused(), "Sub");
    const QPoint over = shown.actionGeometry(testing::ShownActionOf(*last)).center();
    QMouseEvent move(QEvent::MouseMove, QPointF(over), QPointF(shown.mapToGlobal(over)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&shown, &move);
    EXPECT_EQ(popup->focusChild(), entry(last)) << "the pointer moves the highlight";
    EXPECT_EQ(focused(), "Last");

    EXPECT_TRUE(entry(off)->state().disabled);
    EXPECT_TRUE(entry(off)->actionInterface()->actionNames().isEmpty());
    QAccessibleInterface* inner = entry(sub)->child(0);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->role(), QAccessible::PopupMenu);
    EXPECT_EQ(inner->parent(), entry(sub));
    shown.setActiveAction(testing::ShownActionOf(*sub));
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&shown, &right);
    EXPECT_TRUE(QApplication::activePopupWidget() != &shown) << "the sub-menu did not open";
    EXPECT_EQ(testing::AccessibleChildren(*root, QAccessible::PopupMenu).size(), 1u);
  };
  testing_support::WhileOpen(menu, [&](QMenu& shown) {
    inspect(shown);
    menu.CloseMenu();
  });
  menu.Popup(40, 40);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(
      testing::AccessibleChildren(*testing::AccessibleRoot(), QAccessible::PopupMenu).empty());
}

QStringList SplitAtSemicolons(const QString& line) { return line.split(u';'); }

// A memo given columns reads as a table of its lines, following its text;
// without columns it is a text box.
TEST(Accessibility, AMemoWithColumnsReadsAsATableOfItsLines) {
  TForm form;
  form.SetBounds(10, 10, 300, 200);
  auto* memo = testing::Place<TMemo>(&form, &form, 0, 0, 300, 120);
  memo->SetAccessibleName("Programs");
  memo->SetText("One;1.0\r\nTwo;2.5;extra\r\nThree");
  memo->SetAccessibleTable({"Name", "Version"}, SplitAtSemicolons);
  auto* plain = testing::Place<TMemo>(&form, &form, 0, 130, 300, 60);
  plain->SetAccessibleName("Notes");
  form.Show();

  QWidget* frame = testing::NativeWidgetOf(*memo);
  ASSERT_NE(frame->focusProxy(), nullptr);
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(frame->focusProxy());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(frame)->role(), QAccessible::Pane);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(frame)->text(QAccessible::Name), "")
      << "the name is the table's alone";
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(table->text(QAccessible::Name), "Programs");
  QAccessibleTableInterface* rows = table->tableInterface();
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->rowCount(), 3);
  EXPECT_EQ(rows->columnCount(), 2);
  EXPECT_EQ(rows->columnDescription(1), "Version");
  EXPECT_EQ(table->childCount(), 6);
  EXPECT_TRUE(testing::ChildrenKnowTheirParent(*table));
  QStringList cells;
  for (QAccessibleInterface* cell : testing::AccessibleChildren(*table))
    cells << cell->text(QAccessible::Name);
  EXPECT_EQ(cells, (QStringList{"One", "1.0", "Two", "2.5", "Three", ""}));
  QAccessibleInterface* version = rows->cellAt(1, 1);
  ASSERT_NE(version->tableCellInterface(), nullptr);
  EXPECT_EQ(version->tableCellInterface()->rowIndex(), 1);
  const auto headers = version->tableCellInterface()->columnHeaderCells();
  ASSERT_EQ(headers.size(), 1);
  EXPECT_EQ(headers[0]->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(headers[0]->text(QAccessible::Name), "Version");
  const QRect box(frame->mapToGlobal(QPoint(0, 0)), frame->size());
  EXPECT_TRUE(box.contains(version->rect())) << "the cell is where its text is";
  EXPECT_GT(version->rect().left(), rows->cellAt(1, 0)->rect().right());
  EXPECT_EQ(rows->cellAt(3, 0), nullptr);

  memo->SetText("Only;3");
  EXPECT_EQ(rows->rowCount(), 1);
  EXPECT_EQ(rows->cellAt(0, 1)->text(QAccessible::Name), "3");
  EXPECT_TRUE(version->state().invalid) << "its row is gone";
  memo->Clear();
  EXPECT_EQ(table->childCount(), 0);

  QAccessibleInterface* text =
      QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*plain)->focusProxy());
  EXPECT_EQ(text->role(), QAccessible::EditableText);
  EXPECT_NE(text->textInterface(), nullptr);
  EXPECT_EQ(text->text(QAccessible::Name), "Notes");
  // Columns given once the text box is there take effect as well.
  plain->SetAccessibleTable({"Note"}, SplitAtSemicolons);
  text = QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*plain)->focusProxy());
  EXPECT_EQ(text->role(), QAccessible::Table);
}

}  // namespace
}  // namespace mirto
