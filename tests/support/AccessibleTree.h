#pragma once

// Walking what assistive technology sees, from the application's root down,
// the way a screen reader does.

#include <QAccessible>
#include <QString>
#include <vector>

namespace mirto::testing {

// The application's accessible root.
QAccessibleInterface* AccessibleRoot();
// The children of node, in order.
std::vector<QAccessibleInterface*> AccessibleChildren(QAccessibleInterface& node);
// The children of node with role.
std::vector<QAccessibleInterface*> AccessibleChildren(QAccessibleInterface& node,
                                                      QAccessible::Role role);
// The first of node and its descendants with role (and name, when one is
// given), or null.
QAccessibleInterface* FindAccessible(QAccessibleInterface* node, QAccessible::Role role,
                                     const QString& name = QString());
// Whether every child of node names node as its parent and sits at its index.
bool ChildrenKnowTheirParent(QAccessibleInterface& node);

}  // namespace mirto::testing
