#pragma once

// The tests' door into the catalog's storage, for records its fixed
// contents do not have. Only test programs that link the catalog use it.

#include "catalog/MirtoApps.h"

namespace mirto::testing {

// Appends a group to the table behind Groups.
void AddGroupForTest(const TProgramGroup& group);

}  // namespace mirto::testing
