#include "platform/toolkit/DBusMenu.h"

#include <QBuffer>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/toolkit/DBusObject_p.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/LifeGuard.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Menus_p.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto::dbusmenu {

// An entry with its sub-entries, as GetLayout returns it: (ia{sv}av), each
// sub-entry a variant holding the same structure.
struct TLayoutNode {
  int id = 0;
  QVariantMap properties;
  std::vector<TLayoutNode> children;
};

// An entry's properties, as GetGroupProperties returns them: (ia{sv}).
struct TItemProperties {
  int id = 0;
  QVariantMap properties;
};

}  // namespace mirto::dbusmenu

Q_DECLARE_METATYPE(mirto::dbusmenu::TLayoutNode)
Q_DECLARE_METATYPE(mirto::dbusmenu::TItemProperties)

namespace mirto::dbusmenu {

QDBusArgument& operator<<(QDBusArgument& argument, const TLayoutNode& node) {
  argument.beginStructure();
  argument << node.id << node.properties;
  argument.beginArray(QMetaType::fromType<QDBusVariant>());
  for (const TLayoutNode& child : node.children)
    argument << QDBusVariant(QVariant::fromValue(child));
  argument.endArray();
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TLayoutNode& node) {
  argument.beginStructure();
  argument >> node.id >> node.properties;
  argument.beginArray();
  node.children.clear();
  while (!argument.atEnd()) {
    QDBusVariant child;
    argument >> child;
    node.children.push_back(qdbus_cast<TLayoutNode>(child.variant()));
  }
  argument.endArray();
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const TItemProperties& item) {
  argument.beginStructure();
  argument << item.id << item.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TItemProperties& item) {
  argument.beginStructure();
  argument >> item.id >> item.properties;
  argument.endStructure();
  return argument;
}

}  // namespace mirto::dbusmenu

namespace mirto {

using dbusmenu::TItemProperties;
using dbusmenu::TLayoutNode;

namespace {

const QString kInterface = QStringLiteral("com.canonical.dbusmenu");

void RegisterTypes() {
  static const bool registered = [] {
    qDBusRegisterMetaType<TLayoutNode>();
    qDBusRegisterMetaType<TItemProperties>();
    qDBusRegisterMetaType<QList<TItemProperties>>();
    qDBusRegisterMetaType<QList<QStringList>>();
    return true;
  }();
  (void)registered;
}

// The shortcut as the protocol gives it: one list of key names per key
// stroke, the modifiers first ([["Control", "3"]]).
QList<QStringList> ShortcutKeys(TShortCut shortCut) {
  std::uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(shortCut, key, shift);
  const QString name = ShortCutToText(ShortCut(key, {}));
  if (shortCut == scNone || name.isEmpty()) return {};
  QStringList stroke;
  if (shift.Contains(ssCtrl)) stroke << QStringLiteral("Control");
  if (shift.Contains(ssAlt)) stroke << QStringLiteral("Alt");
  if (shift.Contains(ssShift)) stroke << QStringLiteral("Shift");
  stroke << name;
  return {stroke};
}

QByteArray PngOf(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

// The properties a host reads, restricted to names when names is not empty.
QVariantMap Restricted(const QVariantMap& properties, const QStringList& names) {
  if (names.isEmpty()) return properties;
  QVariantMap restricted;
  for (const QString& name : names)
    if (properties.contains(name)) restricted.insert(name, properties.value(name));
  return restricted;
}

// One entry as last served: what the host sees of it, and the item behind it.
struct TEntry {
  QVariantMap properties;
  std::vector<int> children;
  TMenuItem* item = nullptr;  // null for the root
  TLifeWatch watch;

  bool operator==(const TEntry& other) const {
    return properties == other.properties && children == other.children && item == other.item;
  }
};
using TLayout = std::map<int, TEntry>;

// What introspection shows of the object.
constexpr char kIntrospection[] = R"xml(<interface name="com.canonical.dbusmenu">
  <property name="Version" type="u" access="read"/>
  <property name="TextDirection" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="IconThemePath" type="as" access="read"/>
  <method name="GetLayout">
    <arg type="i" name="parentId" direction="in"/>
    <arg type="i" name="recursionDepth" direction="in"/>
    <arg type="as" name="propertyNames" direction="in"/>
    <arg type="u" name="revision" direction="out"/>
    <arg type="(ia{sv}av)" name="layout" direction="out"/>
  </method>
  <method name="GetGroupProperties">
    <arg type="ai" name="ids" direction="in"/>
    <arg type="as" name="propertyNames" direction="in"/>
    <arg type="a(ia{sv})" name="properties" direction="out"/>
  </method>
  <method name="GetProperty">
    <arg type="i" name="id" direction="in"/>
    <arg type="s" name="name" direction="in"/>
    <arg type="v" name="value" direction="out"/>
  </method>
  <method name="Event">
    <arg type="i" name="id" direction="in"/>
    <arg type="s" name="eventId" direction="in"/>
    <arg type="v" name="data" direction="in"/>
    <arg type="u" name="timestamp" direction="in"/>
  </method>
  <method name="EventGroup">
    <arg type="a(isvu)" name="events" direction="in"/>
    <arg type="ai" name="idErrors" direction="out"/>
  </method>
  <method name="AboutToShow">
    <arg type="i" name="id" direction="in"/>
    <arg type="b" name="needUpdate" direction="out"/>
  </method>
  <method name="AboutToShowGroup">
    <arg type="ai" name="ids" direction="in"/>
    <arg type="ai" name="updatesNeeded" direction="out"/>
    <arg type="ai" name="idErrors" direction="out"/>
  </method>
  <signal name="ItemsPropertiesUpdated">
    <arg type="a(ia{sv})" name="updatedProps"/>
    <arg type="a(ias)" name="removedProps"/>
  </signal>
  <signal name="LayoutUpdated">
    <arg type="u" name="revision"/>
    <arg type="i" name="parent"/>
  </signal>
  <signal name="ItemActivationRequested">
    <arg type="i" name="id"/>
    <arg type="u" name="timestamp"/>
  </signal>
</interface>
)xml";

}  // namespace

// The object on the bus. Every request is answered at once; what a request
// makes the program do (open, click, close) runs from the event loop after
// the answer, so no handler ever runs inside the bus's delivery.
class TDBusMenu::Object : public TDBusObject {
 public:
  explicit Object(std::function<TPopupMenu*()> menu)
      : TDBusObject(kInterface, kIntrospection), menu_(std::move(menu)) {
    imagesLink_.OnChange = [this](TObject*) {
      pictures_.clear();
      CheckForChanges();
    };
  }

  ~Object() override {
    if (!path_.isEmpty()) connection_.unregisterObject(path_);
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  bool Export(QDBusConnection& connection, const QString& path) {
    if (!connection.registerVirtualObject(path, this)) return false;
    connection_ = connection;
    path_ = path;
    Refresh();
    return true;
  }

  void CheckForChanges() {
    if (!Refresh() || path_.isEmpty()) return;
    QDBusMessage updated = QDBusMessage::createSignal(path_, kInterface, "LayoutUpdated");
    updated << revision_ << 0;
    connection_.send(updated);
  }

 private:
  // Takes the menu as it is now; true when it differs from what was served
  // last, which makes a new revision.
  bool Refresh() {
    TLayout layout = Build();
    if (revision_ != 0 && layout == served_) return false;
    served_ = std::move(layout);
    ++revision_;
    return true;
  }

  TLayout Build() {
    TLayout layout;
    TEntry& root = layout[0];
    root.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    TPopupMenu* menu = menu_ ? menu_() : nullptr;
    TCustomImageList* images = menu != nullptr ? menu->Images() : nullptr;
    if (imagesLink_.Sender() != images) {
      imagesLink_.SetSender(images);
      pictures_.clear();
    }
    known_.erase(std::remove_if(known_.begin(), known_.end(),
                                [](const TKnown& known) { return !known.watch.Alive(); }),
                 known_.end());
    if (menu != nullptr) AddEntries(layout, 0, *menu->Items(), images);
    return layout;
  }

  void AddEntries(TLayout& layout, int parentId, const TMenuItem& parent,
                  TCustomImageList* images) {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem* item = parent.Items(i);
      const int id = IdOf(*item);
      layout[parentId].children.push_back(id);
      TEntry& entry = layout[id];
      entry.item = item;
      entry.watch = item->LifeWatch();
      entry.properties = PropertiesOf(*item, images);
      if (item->Count() > 0 && !item->IsLine()) AddEntries(layout, id, *item, images);
    }
  }

  QVariantMap PropertiesOf(const TMenuItem& item, TCustomImageList* images) {
    QVariantMap properties;
    if (item.IsLine()) {
      properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
      properties.insert(QStringLiteral("label"), DBusMenuLabel(item.Caption()));
      if (item.Count() > 0)
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
      if (item.Checked()) {
        properties.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
        properties.insert(QStringLiteral("toggle-state"), 1);
      }
      const QList<QStringList> keys = ShortcutKeys(item.ShortCut());
      if (!keys.isEmpty()) properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(keys));
      const QByteArray picture = PictureOf(images, item.ImageIndex());
      if (!picture.isEmpty()) properties.insert(QStringLiteral("icon-data"), picture);
    }
    properties.insert(QStringLiteral("enabled"), item.Enabled());
    properties.insert(QStringLiteral("visible"), item.Visible());
    return properties;
  }

  // The list's picture as a PNG file at its own size; the host greys the
  // pictures of disabled entries itself.
  QByteArray PictureOf(TCustomImageList* images, int index) {
    if (images == nullptr || index < 0 || index >= images->Count()) return {};
    auto [at, added] = pictures_.try_emplace(index);
    if (added) at->second = PngOf(MenuEntryPicture(*images, index, true, 1));
    return at->second;
  }

  int IdOf(const TMenuItem& item) {
    for (const TKnown& known : known_)
      if (known.item == &item) return known.id;
    known_.push_back({&item, item.LifeWatch(), nextId_});
    return nextId_++;
  }

  TLayoutNode Node(int id, int depth, const QStringList& names) const {
    const TEntry& entry = served_.at(id);
    TLayoutNode node{id, Restricted(entry.properties, names), {}};
    if (depth != 0)
      for (int child : entry.children) node.children.push_back(Node(child, depth - 1, names));
    return node;
  }

  // The live item behind id, or null (unknown, gone, or moved out of the
  // menu since).
  TMenuItem* ItemOf(int id) const {
    const auto at = served_.find(id);
    if (at == served_.end() || at->second.item == nullptr || !at->second.watch.Alive())
      return nullptr;
    TPopupMenu* menu = menu_ ? menu_() : nullptr;
    return at->second.item->GetParentMenu() == menu ? at->second.item : nullptr;
  }

  void Later(std::function<void()> what) { QTimer::singleShot(0, this, std::move(what)); }

  // What the host's event does: a click on an entry clicks it, the menu
  // closing tells the popup menu's OnClose.
  bool Event(int id, const QString& event) {
    if (id == 0) {
      if (event == QLatin1String("closed")) Later([this] { TellMenu(&TPopupMenu::OnClose); });
      return true;
    }
    TMenuItem* item = ItemOf(id);
    if (item == nullptr) return false;
    if (event == QLatin1String("clicked") && !item->IsLine() && item->Count() == 0 &&
        item->Visible()) {
      Later([item, watch = item->LifeWatch()] {
        if (watch.Alive()) item->Click();
      });
    }
    return true;
  }

  // The menu is about to show: OnPopup runs (it may load what the entries
  // show), and the host hears of any change it made.
  void AboutToShow() {
    Later([this] {
      TellMenu(&TPopupMenu::OnPopup);
      CheckForChanges();
    });
  }

  void TellMenu(TNotifyEvent TPopupMenu::*handler) {
    if (TPopupMenu* menu = menu_ ? menu_() : nullptr) CallHandler(menu->*handler, menu);
  }

  QVariantMap Properties() const override {
    const bool rtl = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    return {{QStringLiteral("Version"), QVariant::fromValue(3u)},
            {QStringLiteral("TextDirection"), rtl ? QStringLiteral("rtl") : QStringLiteral("ltr")},
            {QStringLiteral("Status"), QStringLiteral("normal")},
            {QStringLiteral("IconThemePath"), QStringList()}};
  }

  QDBusMessage Answer(const QDBusMessage& message) override;

  struct TKnown {
    const TMenuItem* item;
    TLifeWatch watch;
    int id;
  };

  std::function<TPopupMenu*()> menu_;
  QDBusConnection connection_{QString()};
  QString path_;
  // Every item seen keeps its id while it lives, so the host's ids stay
  // valid across revisions.
  std::vector<TKnown> known_;
  int nextId_ = 1;
  TLayout served_;
  uint revision_ = 0;
  TChangeLink imagesLink_;
  std::map<int, QByteArray> pictures_;
};

QDBusMessage TDBusMenu::Object::Answer(const QDBusMessage& message) {
  const QString method = message.member();
  const QString signature = message.signature();
  const QVariantList args = message.arguments();
  const auto unknownId = [&](int id) {
    return message.createErrorReply(QDBusError::InvalidArgs,
                                    QStringLiteral("no menu entry %1").arg(id));
  };
  if (method == QLatin1String("GetLayout") && signature == QLatin1String("iias")) {
    Refresh();
    const int parent = args.at(0).toInt();
    if (!served_.count(parent)) return unknownId(parent);
    const TLayoutNode layout = Node(parent, args.at(1).toInt(), args.at(2).toStringList());
    return message.createReply({QVariant::fromValue(revision_), QVariant::fromValue(layout)});
  }
  if (method == QLatin1String("GetGroupProperties") && signature == QLatin1String("aias")) {
    Refresh();
    const auto ids = qdbus_cast<QList<int>>(args.at(0));
    const QStringList names = args.at(1).toStringList();
    QList<TItemProperties> found;
    for (const auto& [id, entry] : served_)
      if (id != 0 && (ids.isEmpty() || ids.contains(id)))
        found.push_back({id, Restricted(entry.properties, names)});
    return message.createReply(QVariant::fromValue(found));
  }
  if (method == QLatin1String("GetProperty") && signature == QLatin1String("is")) {
    const auto at = served_.find(args.at(0).toInt());
    if (at == served_.end() || !at->second.properties.contains(args.at(1).toString()))
      return message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such property"));
    return message.createReply(
        QVariant::fromValue(QDBusVariant(at->second.properties.value(args.at(1).toString()))));
  }
  if (method == QLatin1String("Event") && signature == QLatin1String("isvu")) {
    const int id = args.at(0).toInt();
    return Event(id, args.at(1).toString()) ? message.createReply() : unknownId(id);
  }
  if (method == QLatin1String("EventGroup") && signature == QLatin1String("a(isvu)")) {
    QList<int> idErrors;
    const auto events = args.at(0).value<QDBusArgument>();
    events.beginArray();
    while (!events.atEnd()) {
      int id = 0;
      QString event;
      QDBusVariant data;
      uint timestamp = 0;
      events.beginStructure();
      events >> id >> event >> data >> timestamp;
      events.endStructure();
      if (!Event(id, event)) idErrors.push_back(id);
    }
    events.endArray();
    return message.createReply(QVariant::fromValue(idErrors));
  }
  if (method == QLatin1String("AboutToShow") && signature == QLatin1String("i")) {
    const int id = args.at(0).toInt();
    if (!served_.count(id)) return unknownId(id);
    const bool changed = Refresh();
    if (id == 0) AboutToShow();
    return message.createReply(QVariant(changed));
  }
  if (method == QLatin1String("AboutToShowGroup") && signature == QLatin1String("ai")) {
    const auto ids = qdbus_cast<QList<int>>(args.at(0));
    QList<int> idErrors;
    for (int id : ids)
      if (!served_.count(id)) idErrors.push_back(id);
    const bool changed = Refresh();
    if (ids.contains(0)) AboutToShow();
    QList<int> updatesNeeded;
    if (changed)
      for (int id : ids)
        if (served_.count(id)) updatesNeeded.push_back(id);
    return message.createReply({QVariant::fromValue(updatesNeeded), QVariant::fromValue(idErrors)});
  }
  return message.createErrorReply(QDBusError::UnknownMethod,
                                  QStringLiteral("no method %1(%2)").arg(method, signature));
}

// ---------------------------------------------------------------------------

TDBusMenu::TDBusMenu(std::function<TPopupMenu*()> menu)
    : object_(std::make_unique<Object>(std::move(menu))) {
  RegisterTypes();
}

TDBusMenu::~TDBusMenu() = default;

bool TDBusMenu::Export(QDBusConnection& connection, const QString& path) {
  return object_->Export(connection, path);
}

void TDBusMenu::CheckForChanges() { object_->CheckForChanges(); }

QString DBusMenuLabel(const QString& caption) {
  QString label;
  label.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption.at(i);
    if (c == u'_') {
      label += QStringLiteral("__");
    } else if (c != u'&') {
      label += c;
    } else if (i + 1 < caption.size()) {
      // "&&" is one ampersand; "&x" marks x.
      label += caption.at(i + 1) == u'&' ? u'&' : u'_';
      if (caption.at(i + 1) == u'&') ++i;
    }
  }
  return label;
}

}  // namespace mirto
