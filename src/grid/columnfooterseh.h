#pragma once

#include "grid/columnfootereh.h"

#include <memory>
#include <vector>

// The Footers collection of a column: footer n is shown in footer row n.
class TColumnFootersEh {
public:
  explicit TColumnFootersEh(TColumnEh &column) : m_column(column) {}

  int Count() const { return int(m_items.size()); }
  TColumnFooterEh &Items(int index) const { return *m_items.at(index); }
  TColumnFooterEh &Add();
  void Clear();

private:
  TColumnEh &m_column;
  std::vector<std::unique_ptr<TColumnFooterEh>> m_items;
};
