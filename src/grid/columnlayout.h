#pragma once

#include <span>

class TDBGridEh;

// A column as a window lays it out: its field, title and width in pixels.
struct ColumnLayout {
  const char *fieldName; // UTF-8
  const char *title;     // UTF-8
  int width;
};

// Replaces the grid's columns by `layouts`, in order. The caller holds the
// grid's layout (BeginLayout/EndLayout) around this and any further setup.
void addLayoutColumns(TDBGridEh &grid, std::span<const ColumnLayout> layouts);
