#pragma once

// Horizontal alignment of a field, a column, a title or a footer.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
