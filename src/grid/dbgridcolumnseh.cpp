#include "grid/dbgridcolumnseh.h"

#include "grid/dbgrideh.h"

#include <algorithm>

TDBGridColumnsEh::TDBGridColumnsEh(TDBGridEh &grid) : m_grid(grid) {}

TDBGridColumnsEh::~TDBGridColumnsEh() = default;

int TDBGridColumnsEh::indexOf(const TColumnEh &column) const {
  for (int i = 0; i < Count(); ++i)
    if (m_items[i].get() == &column)
      return i;
  return -1;
}

TColumnEh &TDBGridColumnsEh::Add() {
  m_items.push_back(std::make_unique<TColumnEh>(*this));
  m_grid.LayoutChanged();
  return *m_items.back();
}

void TDBGridColumnsEh::Delete(int index) {
  if (index < 0 || index >= Count())
    return;
  m_items.erase(m_items.begin() + index);
  m_grid.LayoutChanged();
}

void TDBGridColumnsEh::Clear() {
  if (m_items.empty())
    return;
  // Columns are taken out of the list before they are destroyed, so a
  // layout never sees a column half gone.
  std::vector<std::unique_ptr<TColumnEh>> items = std::move(m_items);
  m_items.clear();
  m_grid.LayoutChanged();
}

void TDBGridColumnsEh::Move(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
    return;
  auto first = m_items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  m_grid.LayoutChanged();
}
