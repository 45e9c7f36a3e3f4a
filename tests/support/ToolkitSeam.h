#pragma once

// The tests' door into the window toolkit: the native widget behind a
// control, for handing it input and accessibility queries the way the window
// system would. Tests above the toolkit use this instead of its internal
// headers.

#include <QWidget>

namespace mirto {
class TControl;
}

namespace mirto::testing {

// The widget that shows control (never null while the control lives).
QWidget* NativeWidgetOf(const TControl& control);

}  // namespace mirto::testing
