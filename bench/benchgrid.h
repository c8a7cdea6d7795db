#pragma once

#include "generatedresult.h"

#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"

#include <memory>

// A window's grid over a generated result.
struct BenchGrid {
  explicit BenchGrid(const ResultTable &table,
                     void (*setupColumns)(TDBGridEh &))
      : connection([&table](const DbLinkInfo &) {
          return std::make_unique<GeneratedEngine>(table);
        }) {
    connection.setConnectionString(QStringLiteral("bench"), DbLinkInfo());
    query.setConnection(&connection);
    source.setDataSet(&query);
    applyBomGridSettings(grid);
    grid.setPixelsPerInchX(96);
    setupColumns(grid);
    grid.setDataSource(&source);
    query.open();
  }
  DbConnection connection;
  Query query{QStringLiteral("ado_bench")};
  DataSource source;
  TDBGridEh grid;
};
