#include "gridfixture.h"

#include "grid/applytitlesort.h"
#include "grid/bomgridsettings.h"
#include "platform/longwork/longwork.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

class ApplyTitleSortTest : public GridFixture {
protected:
  void SetUp() override {
    applyBomGridSettings(grid);
    addColumn("InvCode").Title().setCaption(QStringLiteral("存货编码"));
    addColumn("cComUnitName").Title().setCaption(QStringLiteral("单位"));
    addColumn("CQty1").Title().setCaption(QStringLiteral("单件用量"));
    requery();
  }

  void requery() {
    open(makeTable({{"InvCode", FieldType::String},
                    {"cComUnitName", FieldType::WideString},
                    {"CQty1", FieldType::BCD}},
                   {{"B", "个", qint64(30000)},
                    {"C", "只", qint64(10000)},
                    {"A", "套", qint64(20000)}}));
  }

  void click(int column) {
    ApplyTitleSort(grid, &query, grid.Columns()[column]);
  }

  QStringList captions() const {
    QStringList list;
    for (int i = 0; i < grid.Columns().Count(); ++i)
      list << grid.Columns()[i].Title().Caption();
    return list;
  }
  std::vector<bool> bold() const {
    std::vector<bool> list;
    for (int i = 0; i < grid.Columns().Count(); ++i)
      list.push_back(grid.Columns()[i].Title().Font().Style().testFlag(fsBold));
    return list;
  }
  QString firstValueOf(const char *field) {
    query.first();
    return query.FieldByName(field)->DisplayText();
  }
  // The row shown first, without moving the current record.
  int firstRow() {
    query.setActiveRecord(0);
    const int row = query.activeRow();
    query.clearActiveRecord();
    return row;
  }
  // Runs `step` from the event loop the sort's long work serves.
  static void duringTheSort(std::function<void()> step) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(step),
                              Qt::QueuedConnection);
  }
};

// The sort is long work: while it runs, the window's thread serves its
// event loop, and the grid still shows the old order and the old markers;
// the new order arrives whole, with its marker.
TEST_F(ApplyTitleSortTest, TheSortIsLongWorkAndItsOrderArrivesWhole) {
  click(0);
  ASSERT_EQ(firstRow(), 2); // "A"
  bool running = false;
  QString sortDuring;
  QStringList captionsDuring;
  int firstRowDuring = -1;
  duringTheSort([&] {
    running = LongWork::anyRunning();
    sortDuring = query.sort();
    captionsDuring = captions();
    firstRowDuring = firstRow();
  });
  click(2);
  EXPECT_TRUE(running);
  EXPECT_EQ(sortDuring, "InvCode ASC");
  EXPECT_EQ(captionsDuring, (QStringList{"▲存货编码", "单位", "单件用量"}));
  EXPECT_EQ(firstRowDuring, 2);
  EXPECT_EQ(query.sort(), "CQty1 ASC");
  EXPECT_EQ(captions(), (QStringList{"存货编码", "单位", "▲单件用量"}));
  EXPECT_EQ(firstRow(), 1); // 1.0000
}

// Esc during the sort cancels it: the rows keep their order, the titles
// their markers and fonts, and the current record stays.
TEST_F(ApplyTitleSortTest, EscDuringTheSortLeavesTheOrderAndTheMarkers) {
  click(2);
  query.last();
  const int current = query.bookmark();
  QCoreApplication::postEvent(
      &grid, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  click(0);
  EXPECT_EQ(query.sort(), "CQty1 ASC");
  EXPECT_EQ(captions(), (QStringList{"存货编码", "单位", "▲单件用量"}));
  EXPECT_EQ(bold(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(firstRow(), 1);
  EXPECT_EQ(query.bookmark(), current);
  click(0);
  EXPECT_EQ(query.sort(), "InvCode ASC") << "the next click sorts";
}

TEST_F(ApplyTitleSortTest, ClicksOnOneTitleCycleAscendingAndDescending) {
  struct Step {
    QString sort;
    QString caption;
    QString first;
  };
  const Step steps[] = {{"CQty1 ASC", "▲单件用量", "1"},
                        {"CQty1 DESC", "▼单件用量", "3"},
                        {"CQty1 ASC", "▲单件用量", "1"}};
  for (const Step &step : steps) {
    click(2);
    EXPECT_EQ(query.sort(), step.sort);
    EXPECT_EQ(captions(), (QStringList{"存货编码", "单位", step.caption}));
    EXPECT_EQ(bold(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(firstValueOf("CQty1"), step.first);
  }
}

TEST_F(ApplyTitleSortTest, AnotherColumnLosesItsMarkerAndStartsAscending) {
  click(1);
  click(1);
  click(0);
  EXPECT_EQ(query.sort(), "InvCode ASC");
  EXPECT_EQ(captions(), (QStringList{"▲存货编码", "单位", "单件用量"}));
  EXPECT_EQ(bold(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(firstValueOf("InvCode"), "A");
  for (int i = 0; i < grid.Columns().Count(); ++i)
    EXPECT_EQ(grid.Columns()[i].Title().Font().Color(), clWindowText);
}

TEST_F(ApplyTitleSortTest, RequeryKeepsTheMarkerAndTheNextClickIsAscending) {
  click(2);
  click(2);
  requery();
  EXPECT_EQ(query.sort(), "");
  EXPECT_EQ(captions()[2], "▼单件用量");
  click(2);
  EXPECT_EQ(query.sort(), "CQty1 ASC");
  EXPECT_EQ(captions()[2], "▲单件用量");
}

TEST_F(ApplyTitleSortTest, ClosedQueryChangesNothing) {
  query.close();
  click(2);
  EXPECT_EQ(captions(), (QStringList{"存货编码", "单位", "单件用量"}));
  EXPECT_EQ(bold(), (std::vector<bool>{false, false, false}));
}

TEST_F(ApplyTitleSortTest, ChangedTitleFontsNoLongerFollowTheTitleFont) {
  click(0); // made bold: changed
  grid.TitleFont().setHeight(-16);
  EXPECT_EQ(grid.Columns()[0].Title().Font().Height(), -12);
  // Colour and style already as set: unchanged, still following.
  EXPECT_EQ(grid.Columns()[1].Title().Font().Height(), -16);
}

} // namespace
