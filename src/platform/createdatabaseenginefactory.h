#pragma once

#include "platform/dbengine.h"

// The engines behind the program's connection: the server setting
// "embedded" (any letter case) opens the SQLite file the database setting
// names; any other server is SQL Server reached over ODBC with the four
// settings.
DbEngineFactory createDatabaseEngineFactory();
