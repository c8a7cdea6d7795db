#pragma once

#include <QFont>

// "宋体" at `points` points, with the faces that stand in for it where it is
// not installed (Chinese text must never fall back to a face without it).
QFont songTiFont(int points);

// "MS Sans Serif" at `points` points, with the same stand-ins.
QFont sansSerifFont(int points);
