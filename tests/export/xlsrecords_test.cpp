#include "export/xlsrecords.h"

#include "platform/text/codepage936.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace {

template <size_t N> QByteArray bytesOf(const std::array<char, N> &record) {
  return xls::bytesOf(record).toByteArray();
}

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

TEST(XlsRecordsTest, FixedRecords) {
  EXPECT_EQ(bytesOf(xls::bofRecord()), hex("090808000000100000000000"));
  EXPECT_EQ(bytesOf(xls::eofRecord()), hex("0A000000"));
}

TEST(XlsRecordsTest, CellRecords) {
  EXPECT_EQ(bytesOf(xls::blankRecord(1, 2)), hex("01020600010002001700"));
  EXPECT_EQ(bytesOf(xls::rkRecord(1, 0, 7)), hex("7E020A00010000000000"
                                                 "1E000000"));
  EXPECT_EQ(bytesOf(xls::rkRecord(0, 0, -1)), hex("7E020A00000000000000"
                                                  "FEFFFFFF"));
  EXPECT_EQ(bytesOf(xls::numberRecord(1, 0, 2.5)), hex("03020E00010000000000"
                                                       "0000000000000440"));
  EXPECT_EQ(bytesOf(xls::labelHeader(0, 1, 1)),
            hex("040209000000010000000100"));
  EXPECT_EQ(bytesOf(xls::labelHeader(0x0102, 0x0304, 0)),
            hex("040208000201040300000000"));
}

TEST(XlsRecordsTest, RkHoldsThirtyBitIntegers) {
  EXPECT_EQ(bytesOf(xls::rkRecord(0, 0, qint32(xls::kMaxRk))).right(4),
            hex("FEFFFF7F"));
  EXPECT_EQ(bytesOf(xls::rkRecord(0, 0, qint32(xls::kMinRk))).right(4),
            hex("02000080"));
}

TEST(XlsRecordsTest, LabelTextFitsWhole) {
  const QByteArray text = toCodePage936(u"存货编码");
  EXPECT_EQ(text.size(), 8);
  EXPECT_EQ(xls::labelText(text), text);
  const QByteArray longest(xls::kMaxLabelBytes, 'x');
  EXPECT_EQ(xls::labelText(longest).size(), xls::kMaxLabelBytes);
}

// Texts of `prefix` ASCII bytes followed by double-byte characters, longer
// than a label holds.
QByteArray longText(int prefix) {
  QByteArray text(prefix, 'a');
  while (text.size() < xls::kMaxLabelBytes + 10)
    text += toCodePage936(u"汉");
  return text;
}

TEST(XlsRecordsTest, LongLabelTextIsCutBetweenCharacters) {
  // The limit is odd: after an even count of ASCII bytes it falls on the
  // first byte of a character, which must go with its second byte.
  const QByteArray even = longText(8);
  const QByteArrayView cut = xls::labelText(even);
  EXPECT_EQ(cut.size(), xls::kMaxLabelBytes - 1);
  EXPECT_EQ(fromCodePage936(cut), fromCodePage936(even.left(cut.size())));
  EXPECT_TRUE(fromCodePage936(cut).endsWith(u"汉汉"));

  EXPECT_EQ(xls::labelText(longText(7)).size(), xls::kMaxLabelBytes);
}

} // namespace
