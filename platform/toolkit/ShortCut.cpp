#include "platform/toolkit/ShortCut.h"

#include <QKeySequence>
#include <Qt>
#include <array>

#include "platform/toolkit/ShortCut_p.h"

namespace mirto {

namespace {

struct KeyName {
  std::uint16_t key;
  const char* name;
};

// Named keys other than letters, digits and function keys.
constexpr std::array<KeyName, 16> kKeyNames{{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
    {0, nullptr},
}};

QString KeyToText(std::uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return QString(QChar(key));
  if (key >= VK_F1 && key <= VK_F12) return QStringLiteral("F%1").arg(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9)
    return QStringLiteral("Num %1").arg(key - VK_NUMPAD0);
  for (const KeyName& entry : kKeyNames)
    if (entry.name != nullptr && entry.key == key) return QString::fromLatin1(entry.name);
  return {};
}

// Returns 0 when text names no key.
std::uint16_t TextToKey(const QString& text) {
  if (text.size() == 1) {
    const QChar c = text.at(0).toUpper();
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')) return c.unicode();
  }
  for (std::uint16_t key = VK_F1; key <= VK_F12; ++key)
    if (text.compare(KeyToText(key), Qt::CaseInsensitive) == 0) return key;
  for (std::uint16_t key = VK_NUMPAD0; key <= VK_NUMPAD0 + 9; ++key)
    if (text.compare(KeyToText(key), Qt::CaseInsensitive) == 0) return key;
  for (const KeyName& entry : kKeyNames)
    if (entry.name != nullptr && text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
      return entry.key;
  return 0;
}

struct ModifierName {
  TShortCut bit;
  const char* name;
};
constexpr std::array<ModifierName, 3> kModifierNames{{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

}  // namespace

TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
  if (key == 0 || key > 0xFF) return scNone;
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

QString ShortCutToText(TShortCut shortCut) {
  const QString keyText = KeyToText(shortCut & 0xFF);
  if (keyText.isEmpty()) return {};
  QString text;
  for (const ModifierName& modifier : kModifierNames)
    if (shortCut & modifier.bit) text += QLatin1String(modifier.name);
  return text + keyText;
}

TShortCut TextToShortCut(const QString& text) {
  QString rest = text.trimmed();
  TShortCut modifiers = 0;
  // Modifier names are consumed from the front; "Ctrl++" would leave "+" as
  // the key, which names nothing, so such text is rejected below.
  bool consumed = true;
  while (consumed) {
    consumed = false;
    for (const ModifierName& modifier : kModifierNames) {
      const QLatin1String name(modifier.name);
      if (rest.size() > name.size() && rest.startsWith(name, Qt::CaseInsensitive)) {
        modifiers |= modifier.bit;
        rest = rest.mid(name.size()).trimmed();
        consumed = true;
      }
    }
  }
  const std::uint16_t key = TextToKey(rest);
  if (key == 0) return scNone;
  return static_cast<TShortCut>(key | modifiers);
}

std::uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
  std::uint16_t key = 0;
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    key = keypad ? static_cast<std::uint16_t>(VK_NUMPAD0 + (qtKey - Qt::Key_0))
                 : static_cast<std::uint16_t>(qtKey);
  } else if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
    key = static_cast<std::uint16_t>(qtKey);
  } else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    key = static_cast<std::uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
  } else {
    switch (qtKey) {
      case Qt::Key_Backspace:
        key = VK_BACK;
        break;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        key = VK_TAB;
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        key = VK_RETURN;
        break;
      case Qt::Key_Escape:
        key = VK_ESCAPE;
        break;
      case Qt::Key_Shift:
        key = VK_SHIFT;
        break;
      case Qt::Key_Control:
        key = VK_CONTROL;
        break;
      case Qt::Key_Alt:
        key = VK_MENU;
        break;
      case Qt::Key_Space:
        key = VK_SPACE;
        break;
      case Qt::Key_PageUp:
        key = VK_PRIOR;
        break;
      case Qt::Key_PageDown:
        key = VK_NEXT;
        break;
      case Qt::Key_End:
        key = VK_END;
        break;
      case Qt::Key_Home:
        key = VK_HOME;
        break;
      case Qt::Key_Left:
        key = VK_LEFT;
        break;
      case Qt::Key_Up:
        key = VK_UP;
        break;
      case Qt::Key_Right:
        key = VK_RIGHT;
        break;
      case Qt::Key_Down:
        key = VK_DOWN;
        break;
      case Qt::Key_Insert:
        key = VK_INSERT;
        break;
      case Qt::Key_Delete:
        key = VK_DELETE;
        break;
      case Qt::Key_Menu:
        key = VK_APPS;
        break;
      default:
        return 0;
    }
  }
  return key;
}

TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  const std::uint16_t key = VirtualKeyOf(qtKey, modifiers);
  // Modifier keys alone form no shortcut; nor do function keys beyond F12.
  if (key == 0 || key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return scNone;
  if (key > VK_F12 && key <= VK_F1 + 23) return scNone;
  TShortCut result = key;
  if (modifiers.testFlag(Qt::ShiftModifier) || qtKey == Qt::Key_Backtab) result |= scShift;
  if (modifiers.testFlag(Qt::ControlModifier)) result |= scCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) result |= scAlt;
  return result;
}

QKeySequence ShortCutToKeySequence(TShortCut shortCut) {
  const std::uint16_t key = shortCut & 0xFF;
  int qtKey = 0;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    qtKey = key;
  } else if (key >= VK_F1 && key <= VK_F12) {
    qtKey = Qt::Key_F1 + (key - VK_F1);
  } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) {
    qtKey = Qt::Key_0 + (key - VK_NUMPAD0);
  } else {
    switch (key) {
      case VK_BACK:
        qtKey = Qt::Key_Backspace;
        break;
      case VK_TAB:
        qtKey = Qt::Key_Tab;
        break;
      case VK_RETURN:
        qtKey = Qt::Key_Return;
        break;
      case VK_ESCAPE:
        qtKey = Qt::Key_Escape;
        break;
      case VK_SPACE:
        qtKey = Qt::Key_Space;
        break;
      case VK_PRIOR:
        qtKey = Qt::Key_PageUp;
        break;
      case VK_NEXT:
        qtKey = Qt::Key_PageDown;
        break;
      case VK_END:
        qtKey = Qt::Key_End;
        break;
      case VK_HOME:
        qtKey = Qt::Key_Home;
        break;
      case VK_LEFT:
        qtKey = Qt::Key_Left;
        break;
      case VK_UP:
        qtKey = Qt::Key_Up;
        break;
      case VK_RIGHT:
        qtKey = Qt::Key_Right;
        break;
      case VK_DOWN:
        qtKey = Qt::Key_Down;
        break;
      case VK_INSERT:
        qtKey = Qt::Key_Insert;
        break;
      case VK_DELETE:
        qtKey = Qt::Key_Delete;
        break;
      default:
        return {};
    }
  }
  int modifiers = 0;
  if (shortCut & scShift) modifiers |= Qt::SHIFT;
  if (shortCut & scCtrl) modifiers |= Qt::CTRL;
  if (shortCut & scAlt) modifiers |= Qt::ALT;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) modifiers |= Qt::KeypadModifier;
  return QKeySequence(qtKey | modifiers);
}

}  // namespace mirto
