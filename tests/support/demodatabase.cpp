#include "support/demodatabase.h"

#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/odbcengine.h"

QString demoDatabasePath() { return QStringLiteral(BOMQUERY_DEMO_DB); }

DbLinkInfo demoLinkInfo() {
  return {QStringLiteral("embedded"), demoDatabasePath(),
          QStringLiteral("demo"), QString()};
}

DbEngineFactory sqliteOdbcEngineFactory(const QString &path) {
  return [path](const DbLinkInfo &) -> std::unique_ptr<DbEngine> {
    return std::make_unique<OdbcEngine>(
        QStringLiteral("DRIVER={SQLite3};Database=%1;NoCreat=1").arg(path));
  };
}

DbEngineFactory demoEngineFactory(DemoEngine engine) {
  return engine == DemoEngine::Embedded
             ? createDatabaseEngineFactory()
             : sqliteOdbcEngineFactory(demoDatabasePath());
}
