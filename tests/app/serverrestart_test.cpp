// The SQL Server goes away while the program holds its connection, and
// comes back on the same port: through the production engine and FreeTDS,
// the windows report each failed read with their fixed message within the
// time-outs, and once the server is back the next query simply works; no
// restart and no connection dialog needed.
#include "app/application.h"
#include "app/bomheaderquery.h"
#include "app/errordisplay.h"
#include "app/messagetexts.h"
#include "app/unt_lorquin.h"
#include "bomdetail/expansionquery.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/odbcengine.h"
#include "platform/dataset/query.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tdstestserver.h"

#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One row in the wire type a SQL Server sends for each declared column.
TdsResultSet oneRowFor(const std::vector<FieldDef> &fields) {
  TdsResultSet set;
  TdsRow row;
  for (const FieldDef &field : fields) {
    TdsColumn column{field.name, TdsType::NVarChar, qMax(field.size, 1)};
    QVariant value = QStringLiteral("1");
    switch (field.type) {
    case FieldType::Integer:
      column.type = TdsType::NullableInt;
      value = 1;
      break;
    case FieldType::Word:
      column.type = TdsType::SmallInt;
      value = 1;
      break;
    case FieldType::Boolean:
      column.type = TdsType::Bit;
      value = 0;
      break;
    case FieldType::BCD:
      column = {field.name, TdsType::Decimal, 0, 28, 6};
      value = QStringLiteral("1.000000");
      break;
    case FieldType::DateTime:
      column.type = TdsType::DateTime;
      value = QDateTime(QDate(2024, 3, 5), QTime(8, 30));
      break;
    case FieldType::String:
      column.type = TdsType::VarChar;
      break;
    default:
      break;
    }
    set.columns.push_back(column);
    row.push_back(value);
  }
  set.rows.push_back(row);
  return set;
}

std::vector<FieldDef> declaredBy(void (*declare)(Query &)) {
  Query query(QStringLiteral("declared"));
  declare(query);
  return query.declaredFields();
}

TdsReply bomServer(const QString &sql) {
  TdsReply reply;
  if (sql.startsWith(QLatin1String("select distinct  cInvCName"))) {
    reply.result =
        oneRowFor({{QStringLiteral("cInvCName"), FieldType::WideString, 50}});
  } else if (sql.startsWith(QLatin1String("select a.BomId"))) {
    reply.result = oneRowFor(declaredBy(declareBomHeaderFields));
  } else if (sql.startsWith(QLatin1String("exec Pellamar_ExpandCompQty"))) {
    reply.kind = TdsReply::Kind::Procedure;
    reply.result = oneRowFor(declaredBy(declareExpansionFields));
  }
  return reply;
}

class ServerRestartTest : public ::testing::Test {
protected:
  // Milliseconds `action` took.
  template <class Action> static qint64 timed(Action action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
  }

  RecordedErrors recordedErrors;
  QStringList &errors = recordedErrors.messages;
};

TEST_F(ServerRestartTest, QueriesFailWhileTheServerIsDownAndWorkOnceItIsBack) {
  auto server = std::make_unique<TdsTestServer>(bomServer);
  const quint16 port = server->port();
  FakePlatform platform(createDatabaseEngineFactory());
  platform.store->values = {{"dbserver", server->serverSetting()},
                            {"dbdatabase", "UFDATA"},
                            {"dbuser", "sa"},
                            {"dbpassword", "secret"}};
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  ASSERT_EQ(window.edt_class->count(), 1);
  window.tbn_query->click();
  ASSERT_EQ(window.ado_bominfomain->recordCount(), 1);
  ASSERT_TRUE(platform.messages.shown.isEmpty());

  server.reset();

  // Nothing answers the connection any more: each read fails at once, far
  // within the login time-out, with the window's own message.
  const qint64 limit =
      std::chrono::milliseconds(OdbcEngine::LoginTimeout).count() + 1000;
  platform.messages.answers = {YesNoAnswer::Yes};
  QString detailCount;
  whenModal([&] {
    detailCount = frm_bominfo_detail->recordCountPanel()->text();
    frm_bominfo_detail->close();
  });
  EXPECT_LT(timed([&] { window.dbg_bominfomainDblClick(); }), limit);
  EXPECT_TRUE(detailCount.isEmpty()) << "no count is shown";
  for (int attempt = 0; attempt < 2; ++attempt)
    EXPECT_LT(timed([&] { window.tbn_query->click(); }), limit);
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{BomDetailReadFailedText, BomDataReadFailedText,
                         BomDataReadFailedText}));
  EXPECT_EQ(window.pnl_recordcount->text(), recordCountText(1));
  EXPECT_TRUE(window.ado_bominfomain->isEmpty());

  // Back on the same port: the next query logs in again by itself.
  server = std::make_unique<TdsTestServer>(bomServer, port);
  ASSERT_EQ(server->port(), port);
  window.tbn_query->click();
  EXPECT_EQ(window.ado_bominfomain->recordCount(), 1);
  EXPECT_EQ(platform.messages.shown.size(), 3);
  EXPECT_EQ(server->logins(), std::vector<QString>{"sa"});

  platform.messages.answers = {YesNoAnswer::Yes};
  whenModal([&] {
    detailCount = frm_bominfo_detail->recordCountPanel()->text();
    frm_bominfo_detail->close();
  });
  window.dbg_bominfomainDblClick();
  EXPECT_EQ(detailCount, recordCountText(1));
  EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

} // namespace
