#pragma once

#include <QImage>

// The indicator column's image of the current record: a black triangle
// pointing right, 6 × 11 pixels, its rows 1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1
// pixels wide from the left edge, every other pixel transparent.
const QImage &indicatorArrow();
