#pragma once

class TColumnEh;

// Image index of the column's cell at the active record: for a column with
// an image list and a KeyList, the position of the field's edit text among
// the KeyList entries (letter case ignored) or NotInKeyListIndex; -1 for
// every other column.
int cellImageIndex(const TColumnEh &column);
