#pragma once

// Writable storage behind the catalog's read-only tables; included only by
// the catalog's own sources.

#include <vector>

#include "catalog/MirtoApps.h"

namespace mirto::catalog_state {

extern std::vector<TProgramInfo> ProgramTable;
extern std::vector<TProgramGroup> GroupTable;
extern std::vector<TCategoryInfo> CategoryTable;
extern TAppParams Paths;

}  // namespace mirto::catalog_state
