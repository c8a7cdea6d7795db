#pragma once

#include "platform/dblinkinfo.h"
#include "platform/fieldtype.h"
#include "platform/resulttable.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// One open session with a database. The program only reads through it.
class DbEngine {
public:
  virtual ~DbEngine() = default;

  // Runs `sql` and fetches the whole result. A result column named in
  // `declared` (ignoring case) is stored as the declared type; the others
  // take the engine's own type. Wide text passes through code page 936.
  // Throws DatabaseError on any failure.
  virtual ResultTable fetch(const QString &sql,
                            const std::vector<FieldDef> &declared) = 0;
};

// Opens a session with the database the four settings name; throws
// DatabaseError when the server, the database or the login is refused.
using DbEngineFactory =
    std::function<std::unique_ptr<DbEngine>(const DbLinkInfo &)>;
