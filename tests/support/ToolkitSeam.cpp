#include "tests/support/ToolkitSeam.h"

#include "platform/toolkit/Control_p.h"

namespace mirto::testing {

QWidget* NativeWidgetOf(const TControl& control) { return NativeWidget(control); }

}  // namespace mirto::testing
