#include "tests/support/AccessibleTree.h"

#include <QCoreApplication>
#include <algorithm>

namespace mirto::testing {

QAccessibleInterface* AccessibleRoot() {
  return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
}

std::vector<QAccessibleInterface*> AccessibleChildren(QAccessibleInterface& node) {
  std::vector<QAccessibleInterface*> children;
  children.reserve(static_cast<std::size_t>(std::max(node.childCount(), 0)));
  for (int i = 0; i < node.childCount(); ++i) children.push_back(node.child(i));
  return children;
}

std::vector<QAccessibleInterface*> AccessibleChildren(QAccessibleInterface& node,
                                                      QAccessible::Role role) {
  std::vector<QAccessibleInterface*> children;
  for (QAccessibleInterface* child : AccessibleChildren(node))
    if (child != nullptr && child->role() == role) children.push_back(child);
  return children;
}

QAccessibleInterface* FindAccessible(QAccessibleInterface* node, QAccessible::Role role,
                                     const QString& name) {
  if (node == nullptr) return nullptr;
  if (node->role() == role && (name.isNull() || node->text(QAccessible::Name) == name)) return node;
  for (QAccessibleInterface* child : AccessibleChildren(*node))
    if (QAccessibleInterface* found = FindAccessible(child, role, name)) return found;
  return nullptr;
}

bool ChildrenKnowTheirParent(QAccessibleInterface& node) {
  const std::vector<QAccessibleInterface*> children = AccessibleChildren(node);
  for (std::size_t i = 0; i < children.size(); ++i)
    if (children[i] == nullptr || children[i]->parent() != &node ||
        node.indexOfChild(children[i]) != static_cast<int>(i))
      return false;
  return true;
}

}  // namespace mirto::testing
