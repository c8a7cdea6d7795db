#pragma once

#include "platform/database/dbengine.h"

// The engines behind the program's connection: the server setting
// "embedded" (any letter case) opens the SQLite file the database setting
// names; any other server is SQL Server reached over ODBC with the four
// settings. Through FreeTDS, a named instance ("host\instance") is first
// looked up in the host's SQL Server Browser, within InstanceLookupTimeout
// (platform/database/sqlserverbrowser.h), so that a connection attempt takes at
// most the login time-out plus that.
DbEngineFactory createDatabaseEngineFactory();
