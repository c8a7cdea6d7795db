#pragma once

#include "platform/database/dbengine.h"
#include "platform/results/resulttable.h"

// A database that answers every statement with one generated result.
class GeneratedEngine : public DbEngine {
public:
  explicit GeneratedEngine(const ResultTable &table) : m_table(table) {}
  ResultTable fetch(const QString &, const std::vector<FieldDef> &) override {
    return m_table;
  }

private:
  const ResultTable &m_table;
};

// `count` component rows shaped like the expansion result; every 17th
// quantity is null.
ResultTable componentRows(int count);

// `count` header rows shaped like the header query's result (nine text and
// two date-time columns), as the Python peer of export_bench writes them.
ResultTable headerRows(int count);
