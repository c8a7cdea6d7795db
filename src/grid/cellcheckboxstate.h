#pragma once

#include "grid/colcellparamseh.h"

class TColumnEh;

// Check-box state of the column's cell at the active record: unchecked
// without a field, grayed for null, a boolean field's value, otherwise the
// field's edit text looked up in the column's KeyList (entry 0 checked,
// entry 1 unchecked, each ";"-separated, letter case ignored), else grayed.
TCheckBoxState cellCheckboxState(const TColumnEh &column);
