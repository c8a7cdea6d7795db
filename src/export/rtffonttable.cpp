#include "export/rtffonttable.h"

#include "platform/text/codepage936.h"

int RtfFontTable::index(const QString &name) {
  if (m_last >= 0 && m_names[size_t(m_last)] == name)
    return m_last;
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
      return m_last = int(i);
  }
  m_names.push_back(name);
  return m_last = int(m_names.size()) - 1;
}

QByteArray RtfFontTable::text() const {
  QByteArray table = "{\\fonttbl";
  for (size_t i = 0; i < m_names.size(); ++i)
    table += "\\f" + QByteArray::number(qulonglong(i)) + "\\fnil " +
             toCodePage936(m_names[i]) + ';';
  return table + '}';
}
