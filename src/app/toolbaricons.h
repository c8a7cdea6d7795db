#pragma once

#include <QIcon>

enum class ToolIcon { Query, Export, Connect, Help, Exit };

// The toolbar pictures of both windows, drawn here (18 × 18 pixels, also
// at twice that size for high-resolution screens).
QIcon toolIcon(ToolIcon icon);
