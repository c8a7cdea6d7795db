#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <array>

// Records of a bare spreadsheet worksheet stream: every record is a 16-bit
// type, a 16-bit length of what follows, then its fields, all little-endian.
// Row and column numbers are 0-based.
namespace xls {

// The most rows a worksheet holds (row numbers are 16-bit).
constexpr qint64 kMaxRows = 65536;
// The longest label text whose record length still fits 16 bits.
constexpr qsizetype kMaxLabelBytes = 65535 - 8;
// Integers an RK value holds: 30 bits, signed.
constexpr qint64 kMinRk = -(qint64(1) << 29);
constexpr qint64 kMaxRk = (qint64(1) << 29) - 1;

using Bof = std::array<char, 12>;
using Eof = std::array<char, 4>;
using Blank = std::array<char, 10>;
using Rk = std::array<char, 14>;
using Number = std::array<char, 18>;
using LabelHeader = std::array<char, 12>;

// Beginning of a worksheet: version field 0, substream type 0x0010.
Bof bofRecord();
Eof eofRecord();
// An empty cell, format index 23.
Blank blankRecord(quint16 row, quint16 column);
// An integer cell; `value` must lie within kMinRk…kMaxRk.
Rk rkRecord(quint16 row, quint16 column, qint32 value);
Number numberRecord(quint16 row, quint16 column, double value);
// A text cell's fixed part; the `textBytes` bytes of text follow it.
LabelHeader labelHeader(quint16 row, quint16 column, quint16 textBytes);

// A record as the bytes to write.
template <size_t N> QByteArrayView bytesOf(const std::array<char, N> &record) {
  return QByteArrayView(record.data(), qsizetype(N));
}

// The longest start of code page 936 `text` that fits a label: all of it
// when it fits, otherwise cut before the character that would not fit, never
// between the two bytes of a double-byte character.
QByteArrayView labelText(QByteArrayView text);

} // namespace xls
