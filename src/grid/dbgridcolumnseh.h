#pragma once

#include "grid/columneh.h"

#include <memory>
#include <vector>

class TDBGridEh;

// The column collection of a grid, in display order. Adding, removing and
// moving columns re-lays out the grid.
class TDBGridColumnsEh {
public:
  explicit TDBGridColumnsEh(TDBGridEh &grid);
  ~TDBGridColumnsEh();
  TDBGridColumnsEh(const TDBGridColumnsEh &) = delete;
  TDBGridColumnsEh &operator=(const TDBGridColumnsEh &) = delete;

  TDBGridEh &Grid() const { return m_grid; }
  int Count() const { return int(m_items.size()); }
  TColumnEh &Items(int index) const { return *m_items.at(index); }
  TColumnEh &operator[](int index) const { return Items(index); }
  int indexOf(const TColumnEh &column) const;

  // Appends a column with every property at its default.
  TColumnEh &Add();
  void Delete(int index);
  void Clear();
  // Moves the column at `from` to position `to`; the columns between shift.
  void Move(int from, int to);

private:
  TDBGridEh &m_grid;
  std::vector<std::unique_ptr<TColumnEh>> m_items;
};
