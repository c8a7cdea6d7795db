#include "grid/titletree.h"

#include "grid/tfont.h"
#include "platform/errors.h"
#include "platform/text/codepage936.h"
#include "support/fixedtextmetrics.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char *caption;
  const char *first;
  const char *rest;
};

class SplitCaptionTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCaptionTest, SplitsAtTheFirstRunOfBars) {
  const SplitCase &c = GetParam();
  const CaptionParts parts = splitCaption(QString::fromUtf8(c.caption));
  EXPECT_EQ(parts.first, QString::fromUtf8(c.first));
  EXPECT_EQ(parts.rest, QString::fromUtf8(c.rest));
  EXPECT_EQ(parts.hasRest, *c.rest != 0);
}

INSTANTIATE_TEST_SUITE_P(Captions, SplitCaptionTest,
                         ::testing::Values(SplitCase{"A", "A", ""},
                                           SplitCase{"A|B", "A", "B"},
                                           SplitCase{"A|B|C", "A", "B|C"},
                                           SplitCase{"A|||B", "A", "B"},
                                           SplitCase{"||A|B", "A", "B"},
                                           SplitCase{"A|", "A", ""},
                                           SplitCase{"", "", ""}));

// A Chinese character whose second byte in code page 936 has the value of
// "|".
QChar characterWithBarByte() {
  for (char16_t code = 0x4E00; code < 0x9FA5; ++code) {
    const QByteArray bytes = toCodePage936(QStringView(&code, 1));
    if (bytes.size() == 2 && bytes[1] == '|')
      return QChar(code);
  }
  return QChar();
}

TEST(SplitCaption, ChineseCharacterWithABarByteIsNotSplit) {
  const QChar character = characterWithBarByte();
  ASSERT_FALSE(character.isNull());
  const QString caption = QString(character) + QStringLiteral("单位");
  const CaptionParts plain = splitCaption(caption);
  EXPECT_EQ(plain.first, caption);
  EXPECT_FALSE(plain.hasRest);

  const CaptionParts split = splitCaption(QStringLiteral("用量|") + caption);
  EXPECT_EQ(split.first, QStringLiteral("用量"));
  EXPECT_EQ(split.rest, caption);
}

class TitleTreeTest : public ::testing::Test {
protected:
  // Leaves of `captions`, each `width` pixels wide, in a 12-pixel font.
  std::vector<THeadTreeNode *> build(const std::vector<QString> &captions,
                                     int width = 60) {
    std::vector<TitleLeafSource> sources;
    for (const QString &caption : captions) {
      TitleLeafSource source;
      source.caption = caption;
      source.width = width;
      source.font = &font;
      sources.push_back(source);
    }
    TitleTreeSettings settings;
    settings.lineWidth = 1;
    settings.vTitleMargin = 10;
    settings.groupFont = &font;
    settings.metrics = &metrics;
    return buildTitleTree(root, sources, settings);
  }

  TFont font;
  FixedTextMetrics metrics;
  THeadTreeNode root;
};

TEST_F(TitleTreeTest, PlainCaptionsAreLeavesOfTheRoot) {
  const auto leaves = build({"存货编码", "单位"});
  EXPECT_EQ(root.Text, QStringLiteral("Root"));
  EXPECT_EQ(root.Parent(), nullptr);
  ASSERT_EQ(root.ChildCount(), 2);
  EXPECT_EQ(leaves[0], root.Child(0));
  EXPECT_EQ(leaves[1]->Text, QStringLiteral("单位"));
  EXPECT_EQ(leaves[0]->Height, 22);
  EXPECT_EQ(leaves[1]->Height, 22);
  EXPECT_EQ(root.Height, 22);
}

TEST_F(TitleTreeTest, SharedFirstPartsFormOneGroupBesideAPlainColumn) {
  const auto leaves = build({"A|B", "A|C", "D"});
  ASSERT_EQ(root.ChildCount(), 2);
  THeadTreeNode *group = root.Child(0);
  EXPECT_EQ(group->Text, QStringLiteral("A"));
  EXPECT_EQ(leaves[0]->Parent(), group);
  EXPECT_EQ(leaves[1]->Parent(), group);
  EXPECT_EQ(leaves[2]->Parent(), &root);
  EXPECT_EQ(leaves[0]->Text, QStringLiteral("B"));
  EXPECT_EQ(leaves[1]->Text, QStringLiteral("C"));
  // Two 60-pixel columns and the line between them.
  EXPECT_EQ(group->Width, 121);
  // Each level is a 12-pixel line plus the 10-pixel margin; the plain
  // column's leaf reaches over both.
  EXPECT_EQ(group->Height, 22);
  EXPECT_EQ(leaves[0]->Height, 22);
  EXPECT_EQ(leaves[2]->Height, 44);
  EXPECT_EQ(root.Height, 44);
}

TEST_F(TitleTreeTest, ThreeLevelsNestGroupInGroup) {
  const auto leaves = build({"A|B|C"});
  EXPECT_EQ(leaves[0]->Text, QStringLiteral("C"));
  ASSERT_NE(leaves[0]->Parent(), nullptr);
  EXPECT_EQ(leaves[0]->Parent()->Text, QStringLiteral("B"));
  EXPECT_EQ(leaves[0]->Parent()->Parent()->Text, QStringLiteral("A"));
  EXPECT_EQ(leaves[0]->Parent()->Parent()->Parent(), &root);
  EXPECT_EQ(root.Height, 66);
}

TEST_F(TitleTreeTest, LoneCaptionWithASecondPartStillGroups) {
  const auto leaves = build({"A|B", "X|C"});
  EXPECT_EQ(leaves[0]->Parent()->Text, QStringLiteral("A"));
  EXPECT_EQ(leaves[1]->Parent()->Text, QStringLiteral("X"));
  EXPECT_NE(leaves[0]->Parent(), leaves[1]->Parent());
}

TEST_F(TitleTreeTest, RunsOfBarsCountAsOne) {
  const auto leaves = build({"A||B", "|A|C"});
  ASSERT_EQ(root.ChildCount(), 1);
  EXPECT_EQ(leaves[0]->Text, QStringLiteral("B"));
  EXPECT_EQ(leaves[1]->Text, QStringLiteral("C"));
}

TEST_F(TitleTreeTest, GroupsOnlyAdjacentColumns) {
  const auto leaves = build({"A|B", "D", "A|C"});
  EXPECT_NE(leaves[0]->Parent(), leaves[2]->Parent());
  EXPECT_EQ(root.ChildCount(), 3);
}

TEST_F(TitleTreeTest, RunAcrossDifferentGroupsIsAnError) {
  try {
    build({"P|A|x", "A|y"});
    FAIL() << "no error";
  } catch (const Error &error) {
    EXPECT_EQ(error.message(), QStringLiteral("ATo not in level"));
  }
}

TEST_F(TitleTreeTest, HeightsMeasureWrappedTextInTheWidthLessIndent) {
  std::vector<TitleLeafSource> sources(2);
  sources[0].caption = QStringLiteral("单件用量");
  sources[0].width = 40; // 36 px of text: two lines
  sources[0].font = &font;
  sources[1].caption = QStringLiteral("单位");
  sources[1].width = 40;
  sources[1].indent = 16; // 20 px of text: one character a line
  sources[1].font = &font;
  TitleTreeSettings settings;
  settings.vTitleMargin = 10;
  settings.groupFont = &font;
  settings.metrics = &metrics;
  buildTitleTree(root, sources, settings);
  EXPECT_EQ(root.Height, 2 * 12 + 10);
}

TEST_F(TitleTreeTest, HiddenColumnsAndEmptyCaptionsAddNoTextHeight) {
  std::vector<TitleLeafSource> sources(2);
  sources[0].caption = QStringLiteral("很长的标题文字");
  sources[0].width = -1; // invisible
  sources[0].font = &font;
  sources[1].caption = QString();
  sources[1].width = 50;
  sources[1].font = &font;
  TitleTreeSettings settings;
  settings.groupFont = &font;
  settings.metrics = &metrics;
  buildTitleTree(root, sources, settings);
  // The hidden column counts only its margin; the empty caption one line.
  EXPECT_EQ(root.Height, 22);
}

TEST_F(TitleTreeTest, RebuildingReplacesTheTree) {
  build({"A|B", "A|C"});
  const auto leaves = build({"X"});
  EXPECT_EQ(root.ChildCount(), 1);
  EXPECT_EQ(leaves[0]->Text, QStringLiteral("X"));
}

} // namespace
