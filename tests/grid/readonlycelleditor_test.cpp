#include "mouseinput.h"
#include "showngrid.h"

#include "grid/readonlycelleditor.h"
#include "platform/desktop/systembeep.h"

#include <QLineEdit>

namespace {

class InplaceEditorTest : public ShownGrid {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    setSystemBeep([this] { ++beeps; });
    fill(5);
    show(8);
  }
  void TearDown() override { setSystemBeep(nullptr); }

  ReadOnlyCellEditor *editor() const { return grid.InplaceEditor(); }
  bool editorShown() const {
    return grid.EditorOpen() && editor() && editor()->isVisible();
  }

  int beeps = 0;
};

struct TypingCase {
  int column;
  const char *typed;
  int beeps;
  const char *text;
};

class TypingTest : public InplaceEditorTest,
                   public testing::WithParamInterface<TypingCase> {};

TEST_P(TypingTest, TypingOpensTheEditorWithTheEditText) {
  const TypingCase &c = GetParam();
  grid.setSelectedIndex(c.column);
  QTest::keyClicks(&grid, QString::fromUtf8(c.typed));
  ASSERT_TRUE(editorShown());
  EXPECT_EQ(beeps, c.beeps);
  EXPECT_EQ(editor()->text(), c.text);
  EXPECT_EQ(editor()->selectedText(), c.text);
  EXPECT_EQ(editor()->geometry(), grid.CellRect(c.column + 1, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TypingTest,
    testing::Values(TypingCase{2, "a", 1, "2.5"}, TypingCase{2, "5", 0, "2.5"},
                    TypingCase{2, "-", 0, "2.5"}, TypingCase{2, ".", 0, "2.5"},
                    TypingCase{2, "5a9x", 2, "2.5"},
                    TypingCase{0, "a", 0, "C0"}, TypingCase{1, "z", 0, "N0"}));

TEST_F(InplaceEditorTest, EnterOpensAndClosesF2PutsTheCaretAtTheEnd) {
  grid.setSelectedIndex(2);
  QTest::keyClick(&grid, Qt::Key_Return);
  ASSERT_TRUE(editorShown());
  EXPECT_EQ(editor()->selectedText(), "2.5");
  QTest::keyClick(editor(), Qt::Key_Return);
  EXPECT_FALSE(grid.EditorOpen());
  EXPECT_TRUE(grid.hasFocus());
  QTest::keyClick(&grid, Qt::Key_F2);
  ASSERT_TRUE(editorShown());
  EXPECT_FALSE(editor()->hasSelectedText());
  EXPECT_EQ(editor()->cursorPosition(), 3);
  QTest::keyClick(editor(), Qt::Key_Escape);
  EXPECT_FALSE(grid.EditorOpen());
  EXPECT_EQ(beeps, 0);
}

TEST_F(InplaceEditorTest, CharactersTypedIntoTheBoxAreDiscarded) {
  grid.setSelectedIndex(2);
  QTest::keyClick(&grid, Qt::Key_F2);
  QTest::keyClicks(editor(), "7x");
  QTest::keyClick(editor(), Qt::Key_Backspace);
  EXPECT_EQ(editor()->text(), "2.5");
  EXPECT_EQ(beeps, 1);
}

TEST_F(InplaceEditorTest, ClosesWhenRecordOrColumnChangesOrADataRowIsPressed) {
  MouseInput mouse(view());
  const std::function<void()> closers[] = {
      [&] { query.next(); },
      [&] {
        grid.setSelectedIndex(0);
        QTest::keyClick(&grid, Qt::Key_Right);
      },
      [&] { mouse.click(centre(2, 4)); },
  };
  for (const auto &close : closers) {
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_TRUE(editorShown());
    close();
    EXPECT_FALSE(grid.EditorOpen());
    EXPECT_FALSE(editor()->isVisible());
  }
}

TEST_F(InplaceEditorTest, HiddenWhileTheFocusIsElsewhere) {
  QLineEdit other(&grid);
  other.move(0, 200);
  other.show();
  QTest::keyClick(&grid, Qt::Key_Return);
  other.setFocus();
  EXPECT_TRUE(grid.EditorOpen());
  EXPECT_FALSE(editor()->isVisible());
  grid.setFocus();
  EXPECT_TRUE(editorShown());
}

TEST_F(InplaceEditorTest, OnlyTheActiveControlOpensItsEditor) {
  QLineEdit other(&grid);
  other.show();
  other.setFocus();
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_FALSE(grid.EditorOpen());
}

} // namespace
