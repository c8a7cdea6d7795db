#pragma once

#include "platform/database/dbconnection.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>

// The demo database the build makes from db/*.sql.
QString demoDatabasePath();

// Settings that open the demo database through the embedded engine.
DbLinkInfo demoLinkInfo();

// Opens the SQLite file at `path` through the ODBC engine and the SQLite
// ODBC driver, whatever the settings say; so the ODBC path runs against a
// real driver without a SQL Server.
DbEngineFactory sqliteOdbcEngineFactory(const QString &path);

// The two ways the tests reach the demo database.
enum class DemoEngine { Embedded, Odbc };
DbEngineFactory demoEngineFactory(DemoEngine engine);

// Runs a parameterised suite once per engine, named for the engine.
inline const auto everyDemoEngine =
    ::testing::Values(DemoEngine::Embedded, DemoEngine::Odbc);
inline std::string
demoEngineName(const ::testing::TestParamInfo<DemoEngine> &info) {
  return info.param == DemoEngine::Embedded ? "Embedded" : "Odbc";
}
