// The Windows libraries as the program uses them, checked under Wine: Qt's
// plug-ins and built-in data, Qt's SQLite driver sharing the program's
// SQLite, the ODBC driver manager, workbooks written with UTF-8 file names
// and glibc's number text, code page 936 and loopback sockets.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHostAddress>
#include <QImage>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyleFactory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// The ODBC headers need the Windows types first.
#include <windows.h>

#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>
#include <xlsxwriter.h>
#include <zlib.h>

#include <cstdint>
#include <string>

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The deflated data of one entry of a zip file, inflated; empty if absent.
std::string zipEntry(const QByteArray &zip, const std::string &name) {
  const auto u16 = [&](qsizetype at) {
    return unsigned(uint8_t(zip[at])) | unsigned(uint8_t(zip[at + 1])) << 8;
  };
  qsizetype pos = 0;
  while ((pos = zip.indexOf("PK\x03\x04", pos)) >= 0 &&
         pos + 30 <= zip.size()) {
    const unsigned method = u16(pos + 8);
    const unsigned nameLength = u16(pos + 26);
    const unsigned extraLength = u16(pos + 28);
    const std::string entry = zip.mid(pos + 30, nameLength).toStdString();
    const qsizetype data = pos + 30 + nameLength + extraLength;
    if (entry == name && method == Z_DEFLATED) {
      z_stream stream = {};
      if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
      stream.next_in =
          reinterpret_cast<Bytef *>(const_cast<char *>(zip.constData() + data));
      stream.avail_in = uInt(zip.size() - data);
      std::string out;
      char buffer[16384];
      int result = Z_OK;
      while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
      }
      inflateEnd(&stream);
      return result == Z_STREAM_END ? out : std::string();
    }
    pos = data;
  }
  return {};
}

sqlite3 *sqliteHandle(const QSqlDatabase &database) {
  const QVariant handle = database.driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    return nullptr;
  return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

TEST(QtPlugins, SqlDriversStylesAndPlatformsAreThere) {
  EXPECT_THAT(QSqlDatabase::drivers(), Contains(QStringLiteral("QSQLITE")));
  // The SQL Server path calls ODBC itself; Qt's ODBC driver is not built.
  EXPECT_THAT(QSqlDatabase::drivers(), Not(Contains(QStringLiteral("QODBC"))));
  EXPECT_THAT(QStyleFactory::keys(), Contains(QStringLiteral("windowsvista")));
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
  for (const char *plugin : {"qwindows.dll", "qoffscreen.dll", "qminimal.dll"})
    EXPECT_TRUE(platforms.exists(QString::fromLatin1(plugin))) << plugin;
}

TEST(QtData, MimeTypesComeFromTheBuiltInDatabase) {
  // Windows has no shared MIME database: without Qt's own copy every file
  // would be application/octet-stream.
  const QMimeDatabase mime;
  EXPECT_EQ(
      mime.mimeTypeForFile(QStringLiteral("a.xlsx"),
                           QMimeDatabase::MatchExtension)
          .name(),
      QStringLiteral(
          "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"));
  EXPECT_EQ(mime.mimeTypeForFile(QStringLiteral("a.html"),
                                 QMimeDatabase::MatchExtension)
                .name(),
            QStringLiteral("text/html"));
}

TEST(QtData, ChineseTextIsDrawn) {
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QFont font = QGuiApplication::font();
    font.setPixelSize(48);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter,
                     QString::fromUtf8("\xE4\xB8\xAD")); // 中
  }
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      dark += qGray(image.pixel(x, y)) < 128;
  // A missing glyph draws nothing or an outlined box of a few dozen pixels.
  EXPECT_GT(dark, 150) << "font "
                       << QGuiApplication::font().family().toStdString();
}

TEST(Sqlite, QtsDriverRunsOnTheProgramsLibrary) {
  // Header and DLL of one version.
  EXPECT_STREQ(sqlite3_libversion(), SQLITE_VERSION);
  // Debian's options that change what SQL does.
  for (const char *option :
       {"ENABLE_FTS5", "ENABLE_FTS4", "ENABLE_MATH_FUNCTIONS", "SECURE_DELETE",
        "ENABLE_COLUMN_METADATA", "THREADSAFE=1", "LIKE_DOESNT_MATCH_BLOBS",
        "MAX_VARIABLE_NUMBER=250000"})
    EXPECT_TRUE(sqlite3_compileoption_used(option)) << option;

  QSqlDatabase database =
      QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "shared");
  database.setDatabaseName(QStringLiteral(":memory:"));
  ASSERT_TRUE(database.open()) << database.lastError().text().toStdString();
  sqlite3 *handle = sqliteHandle(database);
  ASSERT_NE(handle, nullptr);
  // Memory counters are per copy of the library: work done through Qt shows
  // in this library's counter only when both are one.
  const sqlite3_int64 before = sqlite3_memory_used();
  QSqlQuery query(database);
  ASSERT_TRUE(query.exec(QStringLiteral("create table t(x text)")));
  ASSERT_TRUE(query.exec(
      QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 "
                     "from n where i < 20000) "
                     "insert into t select printf('%0500d', i) from n")));
  EXPECT_GT(sqlite3_memory_used(), before + 1000000);
  // And this library reads what Qt's driver wrote.
  sqlite3_stmt *statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(handle, "select count(*) from t", -1, &statement,
                               nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(statement, 0), 20000);
  sqlite3_finalize(statement);
  query.finish();
  database.close();
}

TEST(Sqlite, InterruptFromAnotherThreadStopsAQtQuery) {
  QSqlDatabase database =
      QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "interrupt");
  database.setDatabaseName(QStringLiteral(":memory:"));
  ASSERT_TRUE(database.open());
  sqlite3 *handle = sqliteHandle(database);
  ASSERT_NE(handle, nullptr);
  QThread *interrupter = QThread::create([handle] {
    QThread::msleep(200);
    sqlite3_interrupt(handle);
  });
  interrupter->start();
  QSqlQuery query(database);
  // Runs for minutes unless interrupted.
  const bool finished = query.exec(QStringLiteral(
      "with recursive n(i) as (select 1 union all select i + 1 from n) "
      "select count(*) from (select i from n limit 100000000000)"));
  interrupter->wait();
  delete interrupter;
  EXPECT_FALSE(finished);
  EXPECT_THAT(query.lastError().text().toStdString(), HasSubstr("interrupt"));
  query.finish();
  database.close();
}

TEST(Odbc, TheDriverManagerHandsOutHandles) {
  SQLHENV environment = SQL_NULL_HENV;
  ASSERT_TRUE(SQL_SUCCEEDED(
      SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)));
  EXPECT_TRUE(SQL_SUCCEEDED(
      SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                    reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)));
  SQLHDBC connection = SQL_NULL_HDBC;
  EXPECT_TRUE(
      SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection)));
  if (connection != SQL_NULL_HDBC)
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
  SQLFreeHandle(SQL_HANDLE_ENV, environment);
}

TEST(Workbook, ChineseFileNameAndNumbersAsOnLinux) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(
      QString::fromUtf8("\xE7\x89\xA9\xE6\x96\x99.xlsx")); // 物料
  const QByteArray name = path.toUtf8();
  const QByteArray temporary = folder.path().toUtf8();
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = const_cast<char *>(temporary.constData());
  lxw_workbook *workbook = workbook_new_opt(name.constData(), &options);
  ASSERT_NE(workbook, nullptr);
  lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
  const double numbers[] = {1e20, 0.1, 1.0 / 3, 1e-7, 12345678901234567.0};
  for (int row = 0; row < 5; ++row)
    worksheet_write_number(sheet, row, 0, numbers[row], nullptr);
  worksheet_write_string(sheet, 5, 0, "\xE4\xB8\xAD\xE6\x96\x87",
                         nullptr); // 中文
  ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no file by the UTF-8 name";
  const std::string sheetXml =
      zipEntry(file.readAll(), "xl/worksheets/sheet1.xml");
  ASSERT_FALSE(sheetXml.empty());
  // glibc's %.16G, which the Linux build writes; the system's C library
  // would write 1E+020 and 1E-007.
  EXPECT_THAT(sheetXml, HasSubstr("<v>1E+20</v>"));
  EXPECT_THAT(sheetXml, HasSubstr("<v>0.1</v>"));
  EXPECT_THAT(sheetXml, HasSubstr("<v>0.3333333333333333</v>"));
  EXPECT_THAT(sheetXml, HasSubstr("<v>1E-07</v>"));
  EXPECT_THAT(sheetXml, HasSubstr("<v>1.234567890123457E+16</v>"));
  EXPECT_THAT(sheetXml, Not(HasSubstr("E+0")));
}

TEST(CodePage936, SystemConversionGivesGbkBytes) {
  const wchar_t text[] = L"\u4E2D\u6587\u20AC"; // 中文€
  char bytes[16] = {};
  BOOL defaultUsed = FALSE;
  const int length = WideCharToMultiByte(936, 0, text, 3, bytes, sizeof bytes,
                                         nullptr, &defaultUsed);
  EXPECT_EQ(std::string(bytes, length), std::string("\xD6\xD0\xCE\xC4\x80"));
  EXPECT_FALSE(defaultUsed);
}

TEST(Network, LoopbackConnectionIsAccepted) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, server.serverPort());
  ASSERT_TRUE(client.waitForConnected(5000))
      << client.errorString().toStdString();
  ASSERT_TRUE(server.waitForNewConnection(5000));
  QTcpSocket *accepted = server.nextPendingConnection();
  ASSERT_NE(accepted, nullptr);
  client.write("TDS");
  ASSERT_TRUE(client.waitForBytesWritten(5000));
  ASSERT_TRUE(accepted->waitForReadyRead(5000));
  EXPECT_EQ(accepted->readAll(), QByteArray("TDS"));
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
