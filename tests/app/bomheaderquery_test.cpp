#include "app/bomheaderquery.h"
#include "platform/dataset/query.h"
#include "platform/text/regionalformats.h"
#include "support/demodatabase.h"
#include "support/fakeengine.h"
#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

BomHeaderFilters withCode(const QString &code) {
  BomHeaderFilters filters;
  filters.code = code;
  return filters;
}

TEST(BomHeaderSqlTest, AllFiltersEmptyGivesTheFixedText) {
  const QStringList expected{
      "select a.BomId,a.parentId,InvCode,cInvAddCode,cInvName,cInvStd,  ",
      "      case           ",
      "        when  bomtype=1 then '主BOM'  ",
      "        else '替代BOM'   ",
      "     end bomtype, Version, ",
      "     VersionDesc,IdentCode,IdentDesc,  ",
      "     case     ",
      "       when Status=1 then '新增'     ",
      "       when status=3 then '审核'     ",
      "       when status=4 then '停用'     ",
      "     end status,b.VersionEffDate,VersionEndDate,d.cInvCName  ",
      "from v_bom_parent_rpt a join bom_bom b on(a.bomid=b.bomid)    ",
      "    join inventory  c on(a.InvCode=c.cInvCode)  ",
      "     join InventoryClass d on(c.cInvCCode=d.cInvCCode) ",
      " where (''='' or Invcode like '%%') and ",
      "       (''='' or   cInvStd like '%%') and ",
      "       (''='' or cInvAddCode like '%%') and ",
      "       (''='' or cInvName like '%%') and ",
      "       (''='' or (''='主BOM' and bomtype=1 ) or ",
      "       (''='替代BOM' and bomtype=2) ) and ",
      "       (''='' or (''='新增' and status=1 ) or ",
      "       (''='审核' and status=3 ) or (''='停用' and status=4) ) and  ",
      "       (''='' or  d.cInvCName = '') ",
  };
  EXPECT_EQ(bomHeaderSqlLines({}), expected);
}

TEST(BomHeaderSqlTest, PlacesEachFilterTrimmedIntoItsLines) {
  const BomHeaderFilters filters{" 0301 ", "\tWPA ", "JSJ",     " 减速机",
                                 "主BOM ", " 审核",  " 减速机 "};
  const QStringList lines = bomHeaderSqlLines(filters);
  ASSERT_EQ(lines.size(), 23);
  EXPECT_EQ(lines[14], " where ('0301'='' or Invcode like '%0301%') and ");
  EXPECT_EQ(lines[15], "       ('WPA'='' or   cInvStd like '%WPA%') and ");
  EXPECT_EQ(lines[16], "       ('JSJ'='' or cInvAddCode like '%JSJ%') and ");
  EXPECT_EQ(lines[17], "       ('减速机'='' or cInvName like '%减速机%') and ");
  EXPECT_EQ(lines[18],
            "       ('主BOM'='' or ('主BOM'='主BOM' and bomtype=1 ) or ");
  EXPECT_EQ(lines[19], "       ('主BOM'='替代BOM' and bomtype=2) ) and ");
  EXPECT_EQ(lines[20],
            "       ('审核'='' or ('审核'='新增' and status=1 ) or ");
  EXPECT_EQ(lines[21], "       ('审核'='审核' and status=3 ) or "
                       "('审核'='停用' and status=4) ) and  ");
  EXPECT_EQ(lines[22], "       ('减速机'='' or  d.cInvCName = '减速机') ");
}

TEST(BomHeaderSqlTest, DoublesEverySingleQuote) {
  struct Case {
    QString typed;
    QString line;
  } cases[] = {
      {"O'Brien", " where ('O''Brien'='' or Invcode like '%O''Brien%') and "},
      {"' or 1=1 --",
       " where (''' or 1=1 --'='' or Invcode like '%'' or 1=1 --%') and "},
      {" '; drop table bom_bom; -- ",
       " where ('''; drop table bom_bom; --'='' or "
       "Invcode like '%''; drop table bom_bom; --%') and "},
      {"''", " where (''''''='' or Invcode like '%''''%') and "},
  };
  for (const Case &c : cases)
    EXPECT_EQ(bomHeaderSqlLines(withCode(c.typed))[14], c.line) << c.typed;
}

// The header query against the demo database, through the embedded engine
// and through the ODBC engine with the SQLite ODBC driver.
class BomHeaderQueryTest : public ::testing::TestWithParam<DemoEngine> {
protected:
  BomHeaderQueryTest() : connection(demoEngineFactory(GetParam())) {
    connection.setConnectionString(QStringLiteral("demo"), demoLinkInfo());
    query.setConnection(&connection);
    declareBomHeaderFields(query);
    RegionalFormats formats;
    formats.shortDateFormat = QStringLiteral("yyyy-mm-dd");
    formats.longTimeFormat = QStringLiteral("hh:nn:ss");
    RegionalFormats::setCurrent(formats);
  }
  ~BomHeaderQueryTest() override {
    RegionalFormats::setCurrent(RegionalFormats::fromSystem());
  }

  // Runs the query and returns `field`'s display text of every row.
  QStringList run(const BomHeaderFilters &filters,
                  const QString &field = QStringLiteral("InvCode")) {
    EXPECT_TRUE(runBomHeaderQuery(query, filters));
    QStringList values;
    if (!query.active())
      return values;
    for (query.first(); !query.eof(); query.next())
      values << query.FieldByName(field)->DisplayText();
    return values;
  }

  // Rows of the joined tables, counted by the database itself.
  int count(const QString &where = QString()) {
    const ResultTable table = connection.engine().fetch(
        QStringLiteral("select count(*) as n from v_bom_parent_rpt a "
                       "join bom_bom b on a.BomId = b.BomId "
                       "join inventory c on a.InvCode = c.cInvCode "
                       "join InventoryClass d on c.cInvCCode = d.cInvCCode ") +
            where,
        {});
    return int(table.column(0).integer(0));
  }

  DbConnection connection;
  Query query{QStringLiteral("ado_bominfomain")};
};

TEST_P(BomHeaderQueryTest, AllFiltersEmptyReturnsEveryHeader) {
  EXPECT_EQ(run({}).size(), count());
  EXPECT_EQ(query.recordCount(), 83);
}

TEST_P(BomHeaderQueryTest, ReturnsTheDeclaredColumnsWithTheirValues) {
  BomHeaderFilters filters;
  filters.name = QStringLiteral("行星减速机");
  filters.status = QStringLiteral("停用");
  filters.type = QStringLiteral("主BOM");
  ASSERT_EQ(run(filters).size(), 1);
  const auto text = [this](const char *field) {
    return query.FieldByName(QLatin1String(field))->DisplayText();
  };
  EXPECT_EQ(text("InvCode"), "0301010007");
  EXPECT_EQ(text("cInvAddCode"), "JSJ-PL-007");
  EXPECT_EQ(text("cInvStd"), "");
  EXPECT_TRUE(query.FieldByName("cInvStd")->IsNull());
  EXPECT_EQ(text("bomtype"), "主BOM");
  EXPECT_EQ(text("Version"), "1");
  EXPECT_EQ(text("VersionDesc"), "首版");
  EXPECT_TRUE(query.FieldByName("IdentCode")->IsNull());
  EXPECT_EQ(text("status"), "停用");
  EXPECT_EQ(text("VersionEffDate"), "2020-07-01");
  EXPECT_EQ(text("VersionEndDate"), "2022-12-31 17:30:00");
  EXPECT_EQ(text("cInvCName"), "减速机");
  EXPECT_EQ(query.FieldByName("BomId")->DataType(), FieldType::Integer);
  EXPECT_EQ(query.FieldByName("bomtype")->DataType(), FieldType::String);
  EXPECT_EQ(query.FieldByName("cInvName")->Size(), 60);
}

TEST_P(BomHeaderQueryTest, TypeSelectsOneCodeAndShowsOthersAsAlternative) {
  BomHeaderFilters filters;
  EXPECT_EQ(run(filters, "bomtype").count("主BOM"),
            count("where b.BomType = 1"));
  // The one BOM of type 3 shows as an alternative ...
  filters.name = QStringLiteral("减速电机");
  QStringList types = run(filters, "bomtype");
  types.sort();
  EXPECT_EQ(types, (QStringList{"主BOM", "替代BOM"}));
  // ... but neither choice selects it.
  filters.type = QStringLiteral("替代BOM");
  EXPECT_TRUE(run(filters).isEmpty());
  filters.type = QStringLiteral("主BOM");
  EXPECT_EQ(run(filters, "bomtype"), QStringList{"主BOM"});

  filters = {};
  filters.type = QStringLiteral("替代BOM");
  EXPECT_EQ(run(filters).size(), count("where b.BomType = 2"));
}

TEST_P(BomHeaderQueryTest, StatusSelectsOneCodeAndUnknownCodesOnlyUnfiltered) {
  const struct {
    const char *status;
    int code;
  } statuses[] = {{"新增", 1}, {"审核", 3}, {"停用", 4}};
  BomHeaderFilters filters;
  for (const auto &s : statuses) {
    filters.status = QString::fromUtf8(s.status);
    const QStringList shown = run(filters, "status");
    EXPECT_EQ(shown.size(),
              count(QStringLiteral("where b.Status = %1").arg(s.code)))
        << s.status;
    EXPECT_EQ(shown.count(filters.status), shown.size()) << s.status;
  }
  // The BOM of status 2 appears, with an empty status, only unfiltered.
  filters = {};
  const QStringList all = run(filters, "status");
  ASSERT_EQ(all.count(QString()), 1);
  query.setRecNo(all.indexOf(QString()) + 1);
  EXPECT_TRUE(query.FieldByName("status")->IsNull());
  EXPECT_EQ(query.FieldByName("IdentCode")->DisplayText(), "A2");
  int selected = 0;
  for (const auto &s : statuses) {
    filters.status = QString::fromUtf8(s.status);
    selected += run(filters).size();
  }
  EXPECT_EQ(selected, all.size() - 1);
}

TEST_P(BomHeaderQueryTest, ClassMatchesExactly) {
  BomHeaderFilters filters;
  filters.className = QStringLiteral("控制柜");
  const QStringList names = run(filters, "cInvCName");
  EXPECT_EQ(names.size(), count("where d.cInvCName = '控制柜'"));
  EXPECT_EQ(names.count("控制柜"), names.size());
  filters.className = QStringLiteral(" 控制柜 ");
  EXPECT_EQ(run(filters).size(), names.size());
  for (const char *other : {"控制", "控制柜%", "不存在的大类"}) {
    filters.className = QString::fromUtf8(other);
    EXPECT_TRUE(run(filters).isEmpty()) << other;
    EXPECT_EQ(query.recordCount(), 0);
  }
}

TEST_P(BomHeaderQueryTest, TextFiltersMatchAnywhereWithBlanksIgnored) {
  EXPECT_EQ(run(withCode("  0301010007  ")),
            (QStringList{"0301010007", "0301010007"}));
  BomHeaderFilters filters;
  filters.addCode = QStringLiteral("kt-xt");
  filters.standard = QStringLiteral("WPA-1");
  QStringList models = run(filters, "cInvStd");
  models.sort();
  EXPECT_EQ(models, (QStringList{"WPA-100", "WPA-120", "WPA-135"}));
}

TEST_P(BomHeaderQueryTest, PercentAndUnderscoreRemainWildcards) {
  BomHeaderFilters filters;
  filters.name = QStringLiteral("蜗轮%减速机");
  filters.type = QStringLiteral("主BOM");
  EXPECT_EQ(run(filters).size(), 7);
  filters = {};
  filters.standard = QStringLiteral("WPA-_0 i=");
  const QStringList models = run(filters, "cInvStd");
  EXPECT_TRUE(models.contains("WPA-60 i=10"));
  EXPECT_TRUE(models.contains("WPA-80 i=20"));
  EXPECT_FALSE(models.contains("WPA-100 i=30"));
}

TEST_P(BomHeaderQueryTest, QuotesInFiltersMatchOnlyTheLiteralText) {
  BomHeaderFilters filters;
  filters.standard = QStringLiteral("3/4''");
  EXPECT_EQ(run(filters, "cInvStd"), QStringList{"NMRV-050 3/4'' 孔"});
  filters.standard = QStringLiteral("3/4' 孔");
  EXPECT_TRUE(run(filters).isEmpty());

  for (const char *typed :
       {"O'Brien", "' or 1=1 --", "' or ''='", "'; drop table bom_bom; --"}) {
    for (QString BomHeaderFilters::*filter :
         {&BomHeaderFilters::code, &BomHeaderFilters::name,
          &BomHeaderFilters::className, &BomHeaderFilters::status}) {
      filters = {};
      filters.*filter = QString::fromUtf8(typed);
      EXPECT_TRUE(run(filters).isEmpty()) << typed;
    }
  }
  EXPECT_EQ(run({}).size(), count());
}

INSTANTIATE_TEST_SUITE_P(Engines, BomHeaderQueryTest, everyDemoEngine,
                         demoEngineName);

TEST(BomHeaderQueryFailureTest, FailsWithoutConnectionStringOrConnection) {
  DbConnection unassigned(demoEngineFactory(DemoEngine::Embedded));
  Query query(QStringLiteral("ado_bominfomain"));
  query.setConnection(&unassigned);
  declareBomHeaderFields(query);
  EXPECT_FALSE(runBomHeaderQuery(query, {}));
  EXPECT_FALSE(query.active());

  DbConnection missing(demoEngineFactory(DemoEngine::Embedded));
  missing.setConnectionString(QStringLiteral("demo"),
                              {QStringLiteral("EMBEDDED"),
                               QStringLiteral(BOMQUERY_BINARY_DIR "/none"),
                               QStringLiteral("demo"), QString()});
  query.setConnection(&missing);
  EXPECT_FALSE(runBomHeaderQuery(query, {}));
  EXPECT_FALSE(query.active());
}

TEST(BomHeaderQueryFailureTest, ClosesTheQueryOnAServerError) {
  auto database = std::make_shared<FakeDatabase>();
  DbConnection connection(fakeEngineFactory(database));
  connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
  Query query(QStringLiteral("ado_bominfomain"));
  query.setConnection(&connection);
  database->table = makeTable({{"BomId", FieldType::Integer}}, {{1}});
  ASSERT_TRUE(runBomHeaderQuery(query, {}));
  EXPECT_EQ(database->statements.last(), bomHeaderSqlLines({}).join("\r\n"));

  database->failStatementsWith = QStringLiteral("Timeout expired");
  EXPECT_FALSE(runBomHeaderQuery(query, {}));
  EXPECT_FALSE(query.active());
}

} // namespace
