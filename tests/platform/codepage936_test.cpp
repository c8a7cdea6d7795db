#include "platform/codepage936.h"

#include <gtest/gtest.h>

namespace {

const QChar loneHigh(u'\xD83D');
const QChar loneLow(u'\xDE00');
const QString emoji = QString::fromUtf8("😀");
const QString thai = QString::fromUtf8("ก");

TEST(CodePage936, EncodesCharactersOfThePage) {
  const struct {
    QString text;
    QByteArray bytes;
  } cases[] = {
      {QStringLiteral("ABC 123"), "ABC 123"},
      {QStringLiteral("▲"), "\xA1\xF8"},
      {QStringLiteral("▼"), "\xA8\x8B"},
      {QStringLiteral("存货编码"), "\xB4\xE6\xBB\xF5\xB1\xE0\xC2\xEB"},
      {QStringLiteral("€"), "\x80"},
      // Second bytes that equal "\", "|", "{" and "}".
      {QStringLiteral("乗"), "\x81\x5C"},
      {QStringLiteral("亅"), "\x81\x7C"},
      {QStringLiteral("亄"), "\x81\x7B"},
      {QStringLiteral("亇"), "\x81\x7D"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(toCodePage936(c.text), c.bytes) << c.text.toStdString();
    EXPECT_EQ(fromCodePage936(c.bytes), c.text) << c.text.toStdString();
  }
}

TEST(CodePage936, WritesOneQuestionMarkPerCharacterThePageCannotHold) {
  const struct {
    QString text;
    QByteArray bytes;
  } cases[] = {
      {u'a' + thai + u'b', "a?b"},
      {u'a' + emoji + u'b', "a?b"},
      {emoji + emoji, "??"},
      {u'a' + QString(loneHigh), "a?"},
      {QString(loneLow) + u'a', "?a"},
      {QString(loneHigh) + loneHigh + u'a', "??a"},
      // Characters the converter would otherwise drop without a trace.
      {QStringLiteral("a\u00ADb\u200Dc\uFEFF"), "a?b?c?"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(toCodePage936(c.text), c.bytes) << c.text.toStdString();
}

TEST(CodePage936, ReadsBytesThatAreNoCharacterAsQuestionMarks) {
  EXPECT_EQ(fromCodePage936("a\x81"), "a?");
  EXPECT_EQ(fromCodePage936("\xB4\xE6\x81"), "存?");
  EXPECT_EQ(fromCodePage936(""), "");
}

TEST(CodePage936, PassThroughShowsWhatTheScreenShows) {
  EXPECT_EQ(passThroughCodePage936(QStringView(u"存货 ABC ▲")),
            QStringLiteral("存货 ABC ▲"));
  const QString mixed = QStringLiteral("A存") + thai + emoji +
                        QStringLiteral("▲") + loneLow + u'B';
  EXPECT_EQ(passThroughCodePage936(QStringView(mixed)), "A存??▲?B");
  EXPECT_EQ(passThroughCodePage936(mixed), "A存??▲?B");
  EXPECT_EQ(passThroughCodePage936(QString(loneHigh)), "?");
  EXPECT_EQ(passThroughCodePage936(QString()), "");
}

TEST(CodePage936, PassThroughAgreesWithARoundTrip) {
  for (const QString &text :
       {QStringLiteral("€ ¥ § · — “”"), QStringLiteral("\u00AD\u00E9\u0101"),
        QStringLiteral("乗亅亄亇 ｱ ①")})
    EXPECT_EQ(passThroughCodePage936(text),
              fromCodePage936(toCodePage936(text)))
        << text.toStdString();
}

TEST(CodePage936, PassThroughSharesTextThePageLeavesUnchanged) {
  const QString text = QStringLiteral("主BOM 审核");
  EXPECT_EQ(passThroughCodePage936(text).constData(), text.constData());
}

} // namespace
