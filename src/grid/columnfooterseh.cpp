#include "grid/columnfooterseh.h"

#include "grid/columneh.h"

TColumnFooterEh &TColumnFootersEh::Add() {
  m_items.push_back(std::make_unique<TColumnFooterEh>(m_column));
  m_column.changed(false);
  return *m_items.back();
}

void TColumnFootersEh::Clear() {
  if (m_items.empty())
    return;
  m_items.clear();
  m_column.changed(false);
}
