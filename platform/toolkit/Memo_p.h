#pragma once

// Platform-internal: what the text box of a memo read as a table tells
// assistive technology. Only platform sources include this header.

class QAccessibleInterface;
class QObject;
class QString;

namespace mirto {

// The table a memo with accessible columns shows through its text box (one
// row per line); null for other objects.
QAccessibleInterface* MemoTableAccessible(const QString& className, QObject* object);

}  // namespace mirto
