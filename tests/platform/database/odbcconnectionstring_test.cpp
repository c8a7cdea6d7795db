#include "platform/database/odbcconnectionstring.h"

#include "platform/database/createdatabaseenginefactory.h"
#include "platform/errors.h"
#include "support/qtprint.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(OdbcConnectionStringTest, QuotesValuesWithBraces) {
  const struct {
    const char *value;
    const char *quoted;
  } cases[] = {
      {"", "{}"},           {"erp", "{erp}"},
      {"a;b=c", "{a;b=c}"}, {"p}w{d", "{p}}w{d}"},
      {"}}", "{}}}}}"},     {"服务器\\SQL2008", "{服务器\\SQL2008}"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(odbcQuoted(QString::fromUtf8(c.value)),
              QString::fromUtf8(c.quoted))
        << c.value;
}

TEST(OdbcConnectionStringTest, NamesEveryValueQuoted) {
  const DbLinkInfo info{"erp\\SQL2008", "UFDATA_001", "sa", "p;w}d"};
  EXPECT_EQ(sqlServerOdbcConnectionString(info, "SQL Server"),
            "DRIVER={SQL Server};SERVER={erp\\SQL2008};DATABASE={UFDATA_001};"
            "UID={sa};PWD={p;w}}d};");
}

// Without a fixed version FreeTDS hangs after a login timeout.
TEST(OdbcConnectionStringTest, GivesFreeTdsItsProtocolVersionAndUtf8) {
  const QString text = sqlServerOdbcConnectionString(
      {"erp", "UFDATA", "sa", ""}, QStringLiteral("FreeTDS"));
  EXPECT_TRUE(text.startsWith("DRIVER={FreeTDS};SERVER={erp};")) << text;
  EXPECT_TRUE(text.contains(";ClientCharset=UTF-8;")) << text;
  EXPECT_TRUE(text.contains(";TDS_Version=7.4;")) << text;
}

// An unknown version fails the connection; the reason, with the accepted
// versions, goes to standard error, as the windows show only their fixed
// message.
TEST(OdbcConnectionStringTest, TheProtocolVersionCanBeChosenAndIsChecked) {
  qputenv("BOMQUERY_TDS_VERSION", " 7.1 ");
  EXPECT_TRUE(sqlServerOdbcConnectionString({"erp", "UFDATA", "sa", ""},
                                            QStringLiteral("FreeTDS"))
                  .contains(";TDS_Version=7.1;"));
  const DbEngineFactory connect = createDatabaseEngineFactory();
  for (const char *refused : {"8.0", "7.1;Port=1", "auto"}) {
    qputenv("BOMQUERY_TDS_VERSION", refused);
    ::testing::internal::CaptureStderr();
    EXPECT_THROW(connect({"127.0.0.1,1", "UFDATA", "sa", ""}), DatabaseError)
        << refused;
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find(std::string("BOMQUERY_TDS_VERSION \"") + refused),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("7.0, 7.1, 7.2, 7.3, 7.4"), std::string::npos)
        << written;
  }
  qunsetenv("BOMQUERY_TDS_VERSION");
  EXPECT_EQ(tdsProtocolVersion(), "7.4");
}

// The README's table of versions is the list the program accepts.
TEST(OdbcConnectionStringTest, TheReadmeListsTheAcceptedVersions) {
  QFile readme(QStringLiteral(BOMQUERY_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  QStringList listed;
  const QRegularExpression row(QStringLiteral("^\\|[^|]+\\| `(\\d+\\.\\d+)`"));
  for (const QString &line : QString::fromUtf8(readme.readAll()).split('\n'))
    if (const QRegularExpressionMatch match = row.match(line); match.hasMatch())
      listed.append(match.captured(1));
  EXPECT_EQ(listed, acceptedTdsProtocolVersions());
}

TEST(OdbcConnectionStringTest, TheDriverCanBeChosen) {
  qputenv("BOMQUERY_ODBC_DRIVER", "ODBC Driver 17 for SQL Server");
  EXPECT_EQ(sqlServerOdbcDriver(), "ODBC Driver 17 for SQL Server");
  qunsetenv("BOMQUERY_ODBC_DRIVER");
#ifdef _WIN32
  EXPECT_EQ(sqlServerOdbcDriver(), "SQL Server");
#else
  EXPECT_EQ(sqlServerOdbcDriver(), "FreeTDS");
#endif
}

} // namespace
