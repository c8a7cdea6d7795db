#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "support/fakeengine.h"
#include "support/pinyincollation.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class QueryTest : public ::testing::Test {
protected:
  QueryTest() : connection(fakeEngineFactory(database)) {
    connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
    query.setConnection(&connection);
  }

  void openWith(ResultTable table) {
    database->table = std::move(table);
    query.open();
  }

  // Values of `field` over all records in the current order.
  QStringList column(const QString &field) {
    QStringList values;
    for (query.first(); !query.eof(); query.next())
      values << query.FieldByName(field)->DisplayText();
    return values;
  }

  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  DbConnection connection;
  Query query{QStringLiteral("ado_test")};
};

ResultTable numbers(int count) {
  std::vector<std::vector<QVariant>> rows;
  for (int i = 1; i <= count; ++i)
    rows.push_back({i});
  return makeTable({{"n", FieldType::Integer}}, rows);
}

TEST_F(QueryTest, SendsTheLinesJoinedWithCrLf) {
  query.addSqlLine(QStringLiteral("select 1  "));
  query.addSqlLine(QStringLiteral("from t"));
  openWith(numbers(1));
  ASSERT_EQ(database->statements.size(), 1);
  EXPECT_EQ(database->statements[0], QStringLiteral("select 1  \r\nfrom t"));
}

TEST_F(QueryTest, IteratesForwardAndBackward) {
  openWith(numbers(3));
  EXPECT_EQ(query.recordCount(), 3);
  EXPECT_TRUE(query.bof());
  EXPECT_FALSE(query.eof());
  EXPECT_EQ(column("N"), (QStringList{"1", "2", "3"}));
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.recNo(), 3);

  query.last();
  query.prior();
  EXPECT_EQ(query.FieldByName("n")->AsInteger(), 2);
  query.prior();
  query.prior();
  EXPECT_TRUE(query.bof());
  EXPECT_EQ(query.recNo(), 1);
}

TEST_F(QueryTest, MoveByStopsAtEitherEndAndReportsTheDistance) {
  openWith(numbers(5));
  EXPECT_EQ(query.moveBy(2), 2);
  EXPECT_EQ(query.recNo(), 3);
  EXPECT_EQ(query.moveBy(10), 2);
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.recNo(), 5);
  EXPECT_EQ(query.moveBy(-10), -4);
  EXPECT_TRUE(query.bof());
  EXPECT_EQ(query.moveBy(0), 0);
}

TEST_F(QueryTest, RecordNumberCanBeWrittenAndIsClamped) {
  openWith(numbers(5));
  query.setRecNo(4);
  EXPECT_EQ(query.FieldByName("n")->AsInteger(), 4);
  query.setRecNo(99);
  EXPECT_EQ(query.recNo(), 5);
  query.setRecNo(0);
  EXPECT_EQ(query.recNo(), 1);
}

TEST_F(QueryTest, BookmarksSurviveSorting) {
  openWith(makeTable({{"name", FieldType::WideString}}, {{"c"}, {"a"}, {"b"}}));
  query.setRecNo(2);
  const Query::Bookmark a = query.bookmark();
  query.setSort(QStringLiteral("name DESC"));
  EXPECT_EQ(query.FieldByName("name")->DisplayText(), QStringLiteral("a"))
      << "sorting keeps the current record";
  query.first();
  query.gotoBookmark(a);
  EXPECT_EQ(query.FieldByName("name")->DisplayText(), QStringLiteral("a"));
  EXPECT_EQ(query.recNo(), 3);
}

TEST_F(QueryTest, AfterASortTheEndFlagsDescribeTheCurrentRecord) {
  openWith(makeTable({{"name", FieldType::WideString}}, {{"c"}, {"a"}, {"b"}}));
  const struct {
    void (Query::*move)();
    const char *sort;
    const char *current;
    bool bof, eof;
  } cases[] = {
      {&Query::last, "name ASC", "b", false, false},  // a walk ended: eof
      {&Query::first, "name DESC", "c", true, false}, // c first again
      {&Query::first, "name ASC", "c", false, true},  // c now last
      {&Query::next, "name DESC", "a", false, true},
  };
  for (const auto &c : cases) {
    query.setSort(QString());
    (query.*c.move)();
    query.setSort(QString::fromUtf8(c.sort));
    EXPECT_EQ(query.FieldByName("name")->DisplayText(), c.current) << c.sort;
    EXPECT_EQ(query.bof(), c.bof) << c.sort << " " << c.current;
    EXPECT_EQ(query.eof(), c.eof) << c.sort << " " << c.current;
  }
}

TEST_F(QueryTest, EmptyResultIsEmptyButOpen) {
  openWith(numbers(0));
  EXPECT_TRUE(query.active());
  EXPECT_TRUE(query.isEmpty());
  EXPECT_TRUE(query.bof());
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.recNo(), 0);
  EXPECT_TRUE(query.FieldByName("n")->IsNull());
  EXPECT_EQ(query.moveBy(1), 0);
}

TEST_F(QueryTest, ClosedQueryCountsAsEmptyAndRefusesNavigation) {
  EXPECT_TRUE(query.isEmpty());
  EXPECT_EQ(query.recordCount(), 0);
  EXPECT_EQ(query.sort(), QString());
  const QString closed =
      QStringLiteral("ado_test: Cannot perform this operation on a closed "
                     "dataset");
  for (const auto &operation : std::vector<std::function<void()>>{
           [&] { query.first(); }, [&] { query.next(); },
           [&] { query.moveBy(1); }, [&] { (void)query.bookmark(); },
           [&] { query.setSort(QStringLiteral("n ASC")); }}) {
    try {
      operation();
      ADD_FAILURE() << "a closed query must refuse";
    } catch (const DatabaseError &e) {
      EXPECT_EQ(e.message(), closed);
    }
  }
}

TEST_F(QueryTest, FieldLookupIgnoresCaseAndNamesTheMissingField) {
  openWith(makeTable({{"cInvName", FieldType::WideString}}, {{"x"}}));
  EXPECT_EQ(query.FieldByName("CINVNAME")->FieldName(), "cInvName");
  EXPECT_EQ(query.FindField("nope"), nullptr);
  try {
    query.FieldByName("nope");
    FAIL();
  } catch (const DatabaseError &e) {
    EXPECT_EQ(e.message(), "ado_test: Field 'nope' not found");
  }
}

TEST_F(QueryTest, MissingDeclaredColumnFailsTheOpen) {
  query.declareField({QStringLiteral("BomId"), FieldType::Integer});
  query.declareField({QStringLiteral("CQty1"), FieldType::BCD});
  database->table = makeTable({{"bomid", FieldType::Integer}}, {{1}});
  try {
    query.open();
    FAIL();
  } catch (const DatabaseError &e) {
    EXPECT_TRUE(e.message().contains("CQty1")) << e.message().toStdString();
  }
  EXPECT_FALSE(query.active());
}

TEST_F(QueryTest, FailuresLeaveTheQueryClosed) {
  database->failStatementsWith = QStringLiteral("Invalid object name 'x'");
  EXPECT_THROW(query.open(), DatabaseError);
  EXPECT_FALSE(query.active());

  DbConnection unassigned(fakeEngineFactory(database));
  Query other(QStringLiteral("ado_other"));
  other.setConnection(&unassigned);
  EXPECT_THROW(other.open(), DatabaseError);

  database->failStatementsWith.clear();
  database->refuseLogin = true;
  connection.close();
  EXPECT_THROW(query.open(), DatabaseError);
}

TEST_F(QueryTest, SortsAscendingAndDescendingStablyWithNullsFirst) {
  openWith(makeTable({{"qty", FieldType::BCD}, {"tag", FieldType::String}},
                     {{25000, "a"},
                      {QVariant(), "b"},
                      {10000, "c"},
                      {25000, "d"},
                      {QVariant(), "e"}}));
  query.setSort(QStringLiteral("qty ASC"));
  EXPECT_EQ(query.sort(), QStringLiteral("qty ASC"));
  EXPECT_EQ(column("tag"), (QStringList{"b", "e", "c", "a", "d"}));
  query.setSort(QStringLiteral("qty DESC"));
  EXPECT_EQ(column("tag"), (QStringList{"a", "d", "c", "b", "e"}));
  query.setSort(QString());
  EXPECT_EQ(column("tag"), (QStringList{"a", "b", "c", "d", "e"}));
}

TEST_F(QueryTest, SortsChineseTextByPinyin) {
  if (!systemCollatesChineseByPinyin())
    GTEST_SKIP() << "the system collates Chinese without pinyin order";
  // 阿 a, 北 bei, 长 chang, 钻 zuan: code point order would differ.
  openWith(makeTable({{"cInvName", FieldType::WideString}},
                     {{"钻头"}, {"长轴"}, {"阿胶"}, {"北京"}}));
  query.setSort(QStringLiteral("cInvName ASC"));
  EXPECT_EQ(column("cInvName"), (QStringList{"阿胶", "北京", "长轴", "钻头"}));
}

TEST_F(QueryTest, RejectsASortOnAFieldTheResultLacks) {
  openWith(numbers(2));
  EXPECT_THROW(query.setSort(QStringLiteral("missing ASC")), DatabaseError);
  EXPECT_THROW(query.setSort(QStringLiteral("n UP")), DatabaseError);
  EXPECT_EQ(query.sort(), QString());
}

TEST_F(QueryTest, SuspendedNotificationsArriveOnceWhenResumed) {
  openWith(numbers(10));
  QSignalSpy moved(&query, &Query::recordChanged);
  QSignalSpy changed(&query, &Query::dataChanged);
  query.next();
  EXPECT_EQ(moved.count(), 1);

  query.disableControls();
  query.disableControls();
  for (query.first(); !query.eof(); query.next()) {
  }
  query.setRecNo(2);
  query.enableControls();
  EXPECT_EQ(moved.count(), 1) << "still suspended: the calls nest";
  query.enableControls();
  EXPECT_EQ(moved.count(), 2);
  EXPECT_EQ(changed.count(), 0);

  query.disableControls();
  query.setSort(QStringLiteral("n DESC"));
  query.next();
  query.enableControls();
  EXPECT_EQ(changed.count(), 1) << "one notification covers both changes";
  EXPECT_EQ(moved.count(), 2);
}

TEST_F(QueryTest, ActiveRecordLetsFieldsReadAnotherRowWithoutMoving) {
  openWith(numbers(3));
  query.setActiveRecord(2);
  EXPECT_EQ(query.FieldByName("n")->AsInteger(), 3);
  EXPECT_EQ(query.recNo(), 1);
  query.clearActiveRecord();
  EXPECT_EQ(query.FieldByName("n")->AsInteger(), 1);
}

TEST_F(QueryTest, ReopeningDropsTheSortAndMakesNewFields) {
  openWith(numbers(3));
  query.setSort(QStringLiteral("n DESC"));
  const quint64 generation = query.fieldsGeneration();
  query.close();
  EXPECT_TRUE(query.fields().empty());
  query.open();
  EXPECT_EQ(query.sort(), QString());
  EXPECT_NE(query.fieldsGeneration(), generation);
  EXPECT_EQ(query.FieldByName("n")->AsInteger(), 1);
}

} // namespace
