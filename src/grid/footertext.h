#pragma once

#include <QString>

class TDBGridEh;
class TColumnEh;

// The grid's own text for the footer of `column` in footer row `row`, as the
// screen shows it: empty (fvtNon), the static Value, the footer field's text
// at the current record, the record count, or the sum or average of the
// footer's field over all records ("0" when there is no such field).
QString gridFooterText(const TDBGridEh &grid, const TColumnEh &column, int row);
