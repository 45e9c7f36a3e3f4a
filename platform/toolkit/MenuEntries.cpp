// A popup menu's entries in the toolkit menu that shows them: the entry's
// text, picture (drawn for each screen's factor) and state, the menu widget
// of a popup menu, and the style that routes an owner-drawn menu's
// measuring and painting to the popup menu's handlers.

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <vector>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Menus_p.h"
#include "platform/toolkit/PaintFactor.h"

namespace mirto {

namespace {

// The entry text: the caption keeps its accelerator marks (the toolkit reads
// them the same way); the shortcut shows after a tab.
QString EntryText(const TMenuItem& item) {
  const QString shortCut = ShortCutToText(item.ShortCut());
  return shortCut.isEmpty() ? item.Caption() : item.Caption() + u'\t' + shortCut;
}

}  // namespace

QImage MenuEntryPicture(TCustomImageList& images, int index, bool enabled, int factor) {
  if (images.Width() > 4096 || images.Height() > 4096) factor = 1;
  QImage image(images.Width() * factor, images.Height() * factor,
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(factor);
  image.fill(Qt::transparent);
  TCanvas canvas;
  TCanvasAccess::Bind(canvas, &image);
  images.Draw(&canvas, 0, 0, index, enabled);
  TCanvasAccess::Bind(canvas, nullptr);
  return image;
}

namespace {

// The whole factors of the screens: a menu opens on any of them, and may be
// moved to another.
std::vector<int> ScreenFactors() {
  std::vector<int> factors;
  for (const QScreen* screen : QGuiApplication::screens())
    factors.push_back(PaintFactorFor(screen->devicePixelRatio()));
  if (factors.empty()) factors.push_back(PaintFactorFor(1.0));
  std::sort(factors.begin(), factors.end());
  factors.erase(std::unique(factors.begin(), factors.end()), factors.end());
  return factors;
}

// One drawing per screen factor, so that the toolkit shows the picture drawn
// for the screen the menu is on rather than one scaled from another's.
QIcon EntryIcon(const TMenuItem& item, TCustomImageList* images) {
  if (images == nullptr || item.ImageIndex() < 0 || item.ImageIndex() >= images->Count()) return {};
  QIcon icon;
  for (int factor : ScreenFactors()) {
    icon.addPixmap(QPixmap::fromImage(MenuEntryPicture(*images, item.ImageIndex(), true, factor)),
                   QIcon::Normal);
    // Disabled entries show the list's own disabled look, not the toolkit's.
    icon.addPixmap(QPixmap::fromImage(MenuEntryPicture(*images, item.ImageIndex(), false, factor)),
                   QIcon::Disabled);
  }
  return icon;
}

}  // namespace

void ApplyMenuItem(QAction& action, const TMenuItem& item, TCustomImageList* images) {
  if (item.IsLine()) {
    action.setSeparator(true);
  } else {
    action.setText(EntryText(item));
    action.setIcon(EntryIcon(item, images));
    action.setCheckable(item.Checked());
    action.setChecked(item.Checked());
    action.setStatusTip(item.Hint());
  }
  action.setEnabled(item.Enabled());
  action.setVisible(item.Visible());
}

namespace {

TMenuItem* ItemOf(const QAction* action) { return MenuItemAccess::ItemShownBy(action); }

// The width a menu reserves right of its widest entry: that of its widest
// shortcut text (the part of an entry's text after a tab).
int ShortCutColumn(const QMenu& menu) {
  int widest = 0;
  for (const QAction* action : menu.actions()) {
    const QString text = action->text();
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0)
      widest = std::max(widest, menu.fontMetrics().horizontalAdvance(text.mid(tab + 1)));
  }
  return widest;
}

// Routes the painting of an owner-drawn menu to the popup menu's handlers,
// each drawing on a canvas over an offscreen image that is then copied onto
// the menu. Whatever the desktop's style, what the handlers leave to the
// style is drawn by one fixed style, so rounded or translucent menu frames
// never show through.
class OwnerDrawStyle : public QProxyStyle {
 public:
  explicit OwnerDrawStyle(TPopupMenu& menu)
      : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), menu_(menu) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth:
        return menu_.BorderWidth();
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth:
        return 0;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem || !menu_.OnMeasureItem) return result;
    TMenuItem* item = ItemOf(qobject_cast<const QAction*>(option->styleObject));
    if (item == nullptr) return result;
    int width = result.width(), height = result.height();
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas;
    TCanvasAccess::Bind(canvas, &scratch);
    const TMenuMeasureItemEvent handler = menu_.OnMeasureItem;
    handler(item, &canvas, width, height);
    TCanvasAccess::Bind(canvas, nullptr);
    // The handler measures the whole entry, shortcut included, but the menu
    // adds its own shortcut column to the widest entry afterwards.
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) width -= ShortCutColumn(*menu);
    // A short entry (a separator) may be narrower than the shortcut column;
    // with no width left the menu would drop it.
    return QSize(std::max(width, 1), std::max(height, 0));
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_MenuEmptyArea && menu_.OnDrawBackground) return;
    if (element != CE_MenuItem || !menu_.OnDrawItem) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    TMenuItem* item = ItemOf(qobject_cast<const QAction*>(option->styleObject));
    if (item == nullptr) return;
    TOwnerDrawState state;
    if (option->state & State_Selected) state.Include(odSelected);
    if (!(option->state & State_Enabled)) state.Include(odDisabled).Include(odGrayed);
    if (item->Checked()) state.Include(odChecked);
    const TMenuDrawItemEvent handler = menu_.OnDrawItem;
    Paint(painter, option->rect,
          [&](TCanvas& canvas, const TRect& rect) { handler(item, &canvas, rect, state); });
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (menu_.OnDrawBackground && (element == PE_PanelMenu || element == PE_FrameMenu)) {
      if (element == PE_FrameMenu) return;  // the background handler draws the border
      const TMenuDrawBackgroundEvent handler = menu_.OnDrawBackground;
      Paint(painter, option->rect,
            [&](TCanvas& canvas, const TRect& rect) { handler(&menu_, &canvas, rect); });
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

 private:
  // The picture carries the screen's whole factor, like a control's.
  template <typename Draw>
  static void Paint(QPainter* painter, const QRect& area, Draw draw) {
    if (area.isEmpty()) return;
    const QPaintDevice* device = painter->device();
    int factor = PaintFactorFor(device ? device->devicePixelRatioF() : 1.0);
    constexpr long long kMaxSide = 1LL << 15;
    if (1LL * area.width() * factor > kMaxSide || 1LL * area.height() * factor > kMaxSide)
      factor = 1;
    QImage image(area.size() * factor, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(factor);
    image.fill(Qt::transparent);
    {
      TCanvas canvas;
      TCanvasAccess::Bind(canvas, &image);
      draw(canvas, Rect(0, 0, area.width(), area.height()));
      TCanvasAccess::Bind(canvas, nullptr);
    }
    painter->drawImage(QRectF(area), image, QRectF(image.rect()));
  }

  TPopupMenu& menu_;
};

// The menu that shows a popup menu's entries (a sub-menu's too): what
// assistive technology is told about it is the popup menu's (MenuAccessible),
// and an owner-drawn one tells the style which entry it is drawing.
class PopupMenuWidget : public QMenu {
 public:
  PopupMenuWidget(QWidget* parent, bool ownerDraw) : QMenu(parent), ownerDraw_(ownerDraw) {}

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
    QMenu::initStyleOption(option, action);
    if (ownerDraw_) option->styleObject = const_cast<QAction*>(action);
  }

 private:
  bool ownerDraw_;
};

}  // namespace

QMenu* NewMenuWidget(TPopupMenu& popup, QWidget* parent) {
  auto* menu = new PopupMenuWidget(parent, popup.OwnerDraw());
  if (!popup.OwnerDraw()) return menu;
  auto* style = new OwnerDrawStyle(popup);
  style->setParent(menu);
  menu->setStyle(style);
  return menu;
}

void FillMenu(QMenu& menu, TMenuItem& parent, TPopupMenu& popup) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    QAction* action = nullptr;
    if (item->Count() > 0 && !item->IsLine()) {
      QMenu* sub = NewMenuWidget(popup, &menu);
      FillMenu(*sub, *item, popup);
      action = sub->menuAction();
      menu.addAction(action);
    } else {
      action = new QAction(&menu);
      menu.addAction(action);
    }
    action->setData(QVariant::fromValue(reinterpret_cast<quintptr>(item)));
    ApplyMenuItem(*action, *item, popup.Images());
    MenuItemAccess::Bind(*item, action);
  }
}

bool PopupMenuAccess::ShowsPopupMenu(const QObject* object) {
  return dynamic_cast<const PopupMenuWidget*>(object) != nullptr;
}

}  // namespace mirto
