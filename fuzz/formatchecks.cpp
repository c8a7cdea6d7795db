#include "formatchecks.h"

#include <QList>

namespace {

int readWord(const QByteArray &bytes, qsizetype at) {
  return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8;
}

bool isLeadByte(char c) { return quint8(c) >= 0x81 && quint8(c) <= 0xFE; }

} // namespace

QString checkXlsRecords(const QByteArray &bytes) {
  constexpr int Bof = 0x0809, Eof = 0x000A;
  qsizetype at = 0;
  int lastType = -1;
  int records = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 4)
      return QStringLiteral("record header cut at byte %1").arg(at);
    const int type = readWord(bytes, at);
    const int length = readWord(bytes, at + 2);
    if (records == 0 && type != Bof)
      return QStringLiteral("first record is 0x%1, not BOF").arg(type, 0, 16);
    if (lastType == Eof)
      return QStringLiteral("record after EOF at byte %1").arg(at);
    at += 4 + length;
    if (at > bytes.size())
      return QStringLiteral("record 0x%1 runs past the end").arg(type, 0, 16);
    lastType = type;
    ++records;
  }
  if (lastType != Eof)
    return QStringLiteral("no EOF at the end");
  return {};
}

QString checkHtmlTags(const QByteArray &bytes) {
  static const QList<QByteArray> paired = {"TABLE",  "TR",   "TD",   "TH",
                                           "FONT",   "B",    "I",    "U",
                                           "STRIKE", "HTML", "HEAD", "TITLE"};
  QList<QByteArray> open;
  qsizetype at = 0;
  while (at < bytes.size()) {
    const char c = bytes[at];
    if (c == '>')
      return QStringLiteral("raw > at byte %1").arg(at);
    if (c != '<') {
      at += isLeadByte(c) ? 2 : 1;
      continue;
    }
    const qsizetype end = bytes.indexOf('>', at);
    if (end < 0)
      return QStringLiteral("tag at byte %1 never ends").arg(at);
    const QByteArray tag = bytes.mid(at + 1, end - at - 1);
    if (tag.contains('<'))
      return QStringLiteral("raw < at byte %1").arg(at);
    const bool closing = tag.startsWith('/');
    const QByteArray name =
        tag.mid(closing ? 1 : 0).split(' ').value(0).trimmed();
    at = end + 1;
    if (!paired.contains(name))
      continue;
    if (!closing) {
      if (name == "TR" && !open.contains("TABLE"))
        return QStringLiteral("TR outside TABLE");
      open.append(name);
    } else if (open.isEmpty() || open.last() != name) {
      return QStringLiteral("</%1> closes %2")
          .arg(QString::fromLatin1(name),
               QString::fromLatin1(open.isEmpty() ? "nothing" : open.last()));
    } else {
      open.removeLast();
    }
  }
  if (!open.isEmpty())
    return QStringLiteral("%1 never closed")
        .arg(QString::fromLatin1(open.last()));
  return {};
}

QString checkRtfGroups(const QByteArray &bytes) {
  int depth = 0;
  for (qsizetype at = 0; at < bytes.size(); ++at) {
    const char c = bytes[at];
    if (isLeadByte(c)) {
      ++at;
      continue;
    }
    if (c == '\\') {
      // "\\", "\{" and "\}" are text; a control word's own letters are
      // skipped as ordinary bytes.
      if (at + 1 < bytes.size() &&
          (bytes[at + 1] == '\\' || bytes[at + 1] == '{' ||
           bytes[at + 1] == '}'))
        ++at;
      continue;
    }
    if (c == '{') {
      if (depth == 0 && at > 0)
        return QStringLiteral("a second document group at byte %1").arg(at);
      ++depth;
    } else if (c == '}') {
      if (--depth < 0)
        return QStringLiteral("} without { at byte %1").arg(at);
    } else if (depth == 0 && c != '\r' && c != '\n') {
      return QStringLiteral("byte outside the document group at %1").arg(at);
    }
  }
  if (depth != 0)
    return QStringLiteral("%1 groups never closed").arg(depth);
  return {};
}

QString checkTextShape(const QByteArray &bytes, int lines, int tabs) {
  const int lineCount = int(bytes.count("\r\n")) + 1;
  const int tabCount = int(bytes.count('\t'));
  if (lineCount != lines || tabCount != tabs)
    return QStringLiteral("%1 lines and %2 tabs, expected %3 and %4")
        .arg(lineCount)
        .arg(tabCount)
        .arg(lines)
        .arg(tabs);
  return {};
}
