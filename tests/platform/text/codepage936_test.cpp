#include "platform/text/codepage936.h"

#include <QCryptographicHash>
#include <QStringEncoder>
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

// The system converter's bytes for one character, "?" where it has none or
// drops the character.
QByteArray referenceBytes(QStringEncoder &encoder, char16_t unit) {
  const QChar c(unit);
  const QByteArray bytes = encoder.encode(QStringView(&c, 1));
  return bytes.size() == 1 || bytes.size() == 2 ? bytes : QByteArray("?");
}

TEST(CodePage936, EveryCharacterOfTheBasicPlaneAsTheSystemConverterWritesIt) {
  QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
  if (!encoder.isValid())
    GTEST_SKIP() << "no GBK converter to compare with";
  QString all;
  QByteArray expected = "prefix";
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    if (QChar::isSurrogate(unit))
      continue;
    all += QChar(char16_t(unit));
    const QByteArray bytes = referenceBytes(encoder, char16_t(unit));
    expected += bytes;
    ASSERT_EQ(toCodePage936(all.last(1)), bytes) << quint32(unit);
  }
  // All at once, appended behind bytes already there.
  QByteArray appended = "prefix";
  appendCodePage936(appended, all);
  EXPECT_EQ(appended, expected);
}

QByteArray sha256(QByteArrayView bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Every system gives the same bytes for the whole basic plane (surrogates
// and the pair they make at DBFF DC00 included) and reads every pair of
// bytes after a lead byte the same way (a byte that cannot follow it
// included): the digests are those of the converter used on Linux,
// and the Windows build reaches them through the system's own.
TEST(CodePage936, EverySystemGivesTheSameBytesAndTheSameText) {
  QString plane;
  for (char32_t unit = 0; unit < 0x10000; ++unit)
    plane += QChar(char16_t(unit));
  EXPECT_EQ(sha256(toCodePage936(plane)),
            "473f8289c3714fe9acc1184004d033bb07a089d5f1458dd73edd23ac59cd935b");

  QString decoded;
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const char pair[] = {char(lead), char(trail)};
      decoded += fromCodePage936(QByteArrayView(pair, 2)) + u'|';
    }
  EXPECT_EQ(
      sha256(QByteArrayView(reinterpret_cast<const char *>(decoded.utf16()),
                            decoded.size() * 2)),
      "c4715d9230f562c7efb296b4bf0b7a48581e33177668ad6d78720284800433f3");
}

TEST(CodePage936, AppendsBehindTheBytesAlreadyThere) {
  QByteArray bytes = "ab";
  appendCodePage936(bytes, QStringView());
  EXPECT_EQ(bytes, "ab");
  appendCodePage936(bytes, QString(u'c' + emoji + QStringLiteral("存")));
  EXPECT_EQ(bytes, "abc?\xB4\xE6");
  appendCodePage936(bytes, QString(loneHigh));
  EXPECT_EQ(bytes, "abc?\xB4\xE6?");
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
