#include "export/xlsrecords.h"

#include <cstring>

namespace xls {
namespace {

constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kBlankFormat = 23;

template <size_t N>
void put16(std::array<char, N> &record, size_t at, quint16 value) {
  record[at] = char(value & 0xFF);
  record[at + 1] = char(value >> 8);
}

template <size_t N>
void put32(std::array<char, N> &record, size_t at, quint32 value) {
  for (size_t i = 0; i < 4; ++i)
    record[at + i] = char((value >> (8 * i)) & 0xFF);
}

// Type, length, row, column and format index: the start of every cell record.
template <size_t N>
std::array<char, N> cellRecord(quint16 type, quint16 row, quint16 column,
                               quint16 format) {
  std::array<char, N> record{};
  put16(record, 0, type);
  put16(record, 2, quint16(N - 4));
  put16(record, 4, row);
  put16(record, 6, column);
  put16(record, 8, format);
  return record;
}

bool isLeadByte(char byte) {
  const auto value = quint8(byte);
  return value >= 0x81 && value <= 0xFE;
}

} // namespace

Bof bofRecord() {
  Bof record{};
  put16(record, 0, kBof);
  put16(record, 2, 8);
  put16(record, 6, 0x0010);
  return record;
}

Eof eofRecord() {
  Eof record{};
  put16(record, 0, kEof);
  return record;
}

Blank blankRecord(quint16 row, quint16 column) {
  return cellRecord<10>(kBlank, row, column, kBlankFormat);
}

Rk rkRecord(quint16 row, quint16 column, qint32 value) {
  auto record = cellRecord<14>(kRk, row, column, 0);
  // The integer shifted left by two, bit 1 set ("integer"), bit 0 clear
  // ("not divided by 100").
  put32(record, 10, (quint32(value) << 2) | 2u);
  return record;
}

Number numberRecord(quint16 row, quint16 column, double value) {
  auto record = cellRecord<18>(kNumber, row, column, 0);
  quint64 bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  put32(record, 10, quint32(bits & 0xFFFFFFFFu));
  put32(record, 14, quint32(bits >> 32));
  return record;
}

LabelHeader labelHeader(quint16 row, quint16 column, quint16 textBytes) {
  auto record = cellRecord<12>(kLabel, row, column, 0);
  put16(record, 2, quint16(8 + textBytes));
  put16(record, 10, textBytes);
  return record;
}

QByteArrayView labelText(QByteArrayView text) {
  if (text.size() <= kMaxLabelBytes)
    return text;
  qsizetype end = 0;
  while (true) {
    const qsizetype width = isLeadByte(text[end]) ? 2 : 1;
    if (end + width > kMaxLabelBytes)
      break;
    end += width;
  }
  return text.first(end);
}

} // namespace xls
