#include "tests/support/CatalogSeam.h"

#include "catalog/CatalogState_p.h"

namespace mirto::testing {

void AddGroupForTest(const TProgramGroup& group) { catalog_state::GroupTable.push_back(group); }

}  // namespace mirto::testing
