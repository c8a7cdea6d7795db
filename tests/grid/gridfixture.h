#pragma once

#include "grid/dbgrideh.h"
#include "grid/systemcolors.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "platform/text/regionalformats.h"
#include "support/fakeengine.h"
#include "support/fixedtextmetrics.h"

#include <gtest/gtest.h>
#include <memory>

// A grid bound to a query over a table built in code, measuring with fixed
// metrics, under fixed regional formats and system colours.
class GridFixture : public ::testing::Test {
protected:
  GridFixture() : connection(fakeEngineFactory(database)) {
    RegionalFormats::setCurrent(RegionalFormats());
    SystemColors::setCurrent(SystemColors());
    TFont::setDefaultPixelsPerInch(96);
    connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
    query.setConnection(&connection);
    source.setDataSet(&query);
    grid.setName(QStringLiteral("dbg_test"));
    grid.setTextMetrics(metrics);
    grid.setDataSource(&source);
  }

  void open(ResultTable table) {
    query.close();
    database->table = std::move(table);
    query.open();
  }

  TColumnEh &addColumn(const QString &fieldName) {
    TColumnEh &column = grid.Columns().Add();
    column.setFieldName(fieldName);
    return column;
  }

  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  DbConnection connection;
  Query query{QStringLiteral("ado_test")};
  DataSource source;
  std::shared_ptr<FixedTextMetrics> metrics =
      std::make_shared<FixedTextMetrics>();
  TDBGridEh grid;
};
