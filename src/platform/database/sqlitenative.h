#pragma once

// The embedded engine reads results straight from the SQLite library that
// Qt's SQLite driver itself uses, which is far faster than going through
// QSqlQuery. That library is shared only where the build links the system
// SQLite; on Windows Qt's driver carries its own copy, and the engine reads
// through QSqlQuery instead.
#if !defined(_WIN32)
#define BOMQUERY_SQLITE_NATIVE 1
#endif
