#include "platform/text/codepage936.h"

#include <QtGlobal>
#include <array>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace {

constexpr char16_t Replacement = u'?';
constexpr qsizetype UnitCount = 0x10000;

#ifdef Q_OS_WIN

constexpr UINT CodePage936 = 936;

// The system's bytes for one code unit of the basic plane; "?" where the
// page has no character for it (no best-fit look-alikes).
quint16 systemCode(char16_t unit) {
  const wchar_t wide = wchar_t(unit);
  char bytes[2];
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(CodePage936, WC_NO_BEST_FIT_CHARS, &wide,
                                       1, bytes, 2, nullptr, &usedDefault);
  if (usedDefault || size < 1)
    return Replacement;
  if (size == 1)
    return quint8(bytes[0]);
  return quint16(quint8(bytes[0]) << 8 | quint8(bytes[1]));
}

#else

// The system's bytes for one code unit of the basic plane; "?" where the
// converter has none or drops the character without a trace (soft hyphen,
// joiners, variation selectors, the byte-order mark).
quint16 systemCode(char16_t unit) {
  thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
  const QChar c{unit};
  const QByteArray bytes = encoder.encode(QStringView(&c, 1));
  if (bytes.size() == 1)
    return quint8(bytes[0]);
  if (bytes.size() == 2)
    return quint16(quint8(bytes[0]) << 8 | quint8(bytes[1]));
  return Replacement;
}

#endif

// The code page bytes of every code unit of the basic plane: one byte below
// 0x100, else lead byte × 256 + trail byte; surrogates are "?". Built once
// from the system's converter and used the same way on every system, so a
// text gives the same bytes everywhere, one "?" per character the page
// cannot hold.
const std::array<quint16, UnitCount> &unitCodes() {
  static const std::unique_ptr<const std::array<quint16, UnitCount>> codes =
      [] {
        auto table = std::make_unique<std::array<quint16, UnitCount>>();
        for (char32_t unit = 0; unit < UnitCount; ++unit)
          (*table)[unit] = QChar::isSurrogate(unit)
                               ? Replacement
                               : systemCode(char16_t(unit));
        return table;
      }();
  return *codes;
}

// What every code unit of the basic plane reads as after a pass through the
// page: itself, "?" or a look-alike. Surrogates read as "?".
const std::array<char16_t, UnitCount> &passThroughUnits() {
  static const std::unique_ptr<const std::array<char16_t, UnitCount>> units =
      [] {
        auto table = std::make_unique<std::array<char16_t, UnitCount>>();
        for (char32_t unit = 0; unit < UnitCount; ++unit) {
          const QChar c{char16_t(unit)};
          const QString back =
              QChar::isSurrogate(unit)
                  ? QString()
                  : fromCodePage936(toCodePage936(QStringView(&c, 1)));
          (*table)[unit] = back.size() == 1 ? back[0].unicode() : Replacement;
        }
        return table;
      }();
  return *units;
}

// Index of the first code unit the page changes; the size when none.
qsizetype firstChangedUnit(QStringView text,
                           const std::array<char16_t, UnitCount> &units) {
  const char16_t *data = text.utf16();
  qsizetype i = 0;
  while (i < text.size() && units[data[i]] == data[i])
    ++i;
  return i;
}

QString passThroughFrom(QStringView text, qsizetype first,
                        const std::array<char16_t, UnitCount> &units) {
  QString result;
  result.reserve(text.size());
  result.append(text.first(first));
  for (qsizetype i = first; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    // A surrogate pair is one character and becomes one "?".
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
        text[i + 1].isLowSurrogate())
      ++i;
    result.append(QChar(units[unit]));
  }
  return result;
}

#ifdef Q_OS_WIN

// Text of bytes in which every lead byte has its trail byte.
QString decodeWellFormed(QByteArrayView bytes) {
  if (bytes.isEmpty())
    return {};
  const int length = int(bytes.size());
  const int size =
      MultiByteToWideChar(CodePage936, 0, bytes.data(), length, nullptr, 0);
  QString text(size, Qt::Uninitialized);
  MultiByteToWideChar(CodePage936, 0, bytes.data(), length,
                      reinterpret_cast<wchar_t *>(text.data()), size);
  return text;
}

#else

// Text of bytes in which every lead byte has its trail byte.
QString decodeWellFormed(QByteArrayView bytes) {
  thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
  // Bytes that are no character of the page read as "?", as the page's own
  // replacement character.
  QString text = decoder.decode(bytes);
  return text.replace(QChar::ReplacementCharacter, QChar(Replacement));
}

#endif

bool isLeadByte(quint8 byte) { return byte >= 0x81 && byte <= 0xFE; }
bool isTrailByte(quint8 byte) {
  return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

} // namespace

char *writeCodePage936(char *out, QStringView text) {
  if (text.isEmpty())
    return out;
  const std::array<quint16, UnitCount> &codes = unitCodes();
  const char16_t *unit = text.utf16();
  const char16_t *const end = unit + text.size();
  while (unit != end) {
    const char16_t c = *unit++;
    const quint16 code = codes[c];
    // Without a branch on the width, which alternates in mixed text: the
    // lead byte is written either way and kept only for a double byte.
    *out = char(code >> 8);
    out += code > 0xFF ? 1 : 0;
    *out++ = char(code & 0xFF);
    // The page holds nothing outside the basic plane: a surrogate reads as
    // "?" (see unitCodes), and a pair is one character, so one "?".
    if (QChar::isHighSurrogate(c) && unit != end &&
        QChar::isLowSurrogate(*unit))
      ++unit;
  }
  return out;
}

QString fromCodePage936(QByteArrayView bytes) {
  // A lead byte without a trail byte after it reads as "?" and the byte
  // after it as a character of its own, the same on every system: the
  // converters differ there (Windows' takes both bytes for one "?", and
  // the one on Linux drops a lead byte at the very end).
  QString text;
  qsizetype start = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!isLeadByte(quint8(bytes[i])))
      continue;
    if (i + 1 < bytes.size() && isTrailByte(quint8(bytes[i + 1]))) {
      ++i;
      continue;
    }
    text += decodeWellFormed(bytes.sliced(start, i - start));
    text += QChar(Replacement);
    start = i + 1;
  }
  if (start == 0)
    return decodeWellFormed(bytes);
  text += decodeWellFormed(bytes.sliced(start));
  return text;
}

void appendCodePage936(QByteArray &out, QStringView text) {
  if (text.isEmpty())
    return;
  const qsizetype at = out.size();
  out.resize(at + 2 * text.size());
  char *const begin = out.data();
  out.resize(writeCodePage936(begin + at, text) - begin);
}

QByteArray toCodePage936(QStringView text) {
  QByteArray bytes;
  appendCodePage936(bytes, text);
  return bytes;
}

QString passThroughCodePage936(QStringView text) {
  const std::array<char16_t, UnitCount> &units = passThroughUnits();
  const qsizetype first = firstChangedUnit(text, units);
  return first == text.size() ? text.toString()
                              : passThroughFrom(text, first, units);
}

QString passThroughCodePage936(const QString &text) {
  const std::array<char16_t, UnitCount> &units = passThroughUnits();
  const qsizetype first = firstChangedUnit(text, units);
  return first == text.size() ? text : passThroughFrom(text, first, units);
}
