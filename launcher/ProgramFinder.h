#pragma once

// What the find view shows for a typed text: every program whose display
// name, or the title or description of a group that lists it, contains each
// typed word. Case does not matter, and "&&" in the catalog's texts is the
// one "&" the user sees. Kept apart from the windows so that the matching
// is testable on its own.

#include <QString>
#include <vector>

namespace mirto {

// IDs of the matching programs in catalog order; none for a text without
// words.
std::vector<int> FindPrograms(const QString& text);

}  // namespace mirto
