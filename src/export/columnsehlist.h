#pragma once

#include <vector>

class TColumnEh;

// The ordered columns of one export: the grid's visible columns in display
// order. The columns are the grid's; the list does not own them.
using TColumnsEhList = std::vector<TColumnEh *>;
