#include "platform/settings/settingsfile.h"

#include "platform/errors.h"

#include <QStringDecoder>
#include <optional>

namespace {

const QChar KeySeparator = u'\\';

QString escaped(const QString &value) {
  QString text;
  text.reserve(value.size());
  for (const QChar c : value) {
    if (c == u'\\')
      text += QLatin1String("\\\\");
    else if (c == u'\n')
      text += QLatin1String("\\n");
    else if (c == u'\r')
      text += QLatin1String("\\r");
    else
      text += c;
  }
  return text;
}

// The value a line's text after "=" stands for; nullopt for an unknown
// escape or a "\" at the end.
std::optional<QString> unescaped(QStringView text) {
  QString value;
  value.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\') {
      value += text[i];
      continue;
    }
    if (++i == text.size())
      return std::nullopt;
    switch (text[i].unicode()) {
    case u'\\':
      value += u'\\';
      break;
    case u'n':
      value += u'\n';
      break;
    case u'r':
      value += u'\r';
      break;
    default:
      return std::nullopt;
    }
  }
  return value;
}

QString sectionOf(const QString &key) {
  const qsizetype separator = key.indexOf(KeySeparator);
  return separator < 0 ? QString() : key.left(separator);
}

} // namespace

QStringList settingsKeyComponents(QStringView path) {
  QStringList components;
  for (const QStringView part : path.tokenize(u'\\'))
    for (const QStringView component : part.tokenize(u'/'))
      if (!component.trimmed().isEmpty())
        components.append(component.trimmed().toString());
  return components;
}

bool isStorableSettingsName(QStringView name) {
  if (name.isEmpty() || name.trimmed().size() != name.size() ||
      name.startsWith(u'#') || name.startsWith(u';'))
    return false;
  for (const QChar c : name)
    if (QStringView(u"\\/=[]\n\r").contains(c))
      return false;
  return true;
}

SettingsFile SettingsFile::parse(const QByteArray &bytes,
                                 const QString &fileName) {
  const auto malformed = [&](qsizetype line, const QString &what) {
    return SettingsError(QStringLiteral("Settings file %1, line %2: %3")
                             .arg(fileName, QString::number(line), what));
  };
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  if (decoder.hasError())
    throw malformed(1 + bytes.count('\n'), QStringLiteral("not UTF-8 text"));

  SettingsFile file;
  QStringList section;
  qsizetype lineNumber = 0;
  for (QStringView line : QStringView(text).tokenize(u'\n')) {
    ++lineNumber;
    if (line.endsWith(u'\r'))
      line.chop(1);
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#') ||
        trimmed.startsWith(u';'))
      continue;
    if (trimmed.startsWith(u'[')) {
      if (!trimmed.endsWith(u']'))
        throw malformed(lineNumber, QStringLiteral("section without \"]\""));
      section = settingsKeyComponents(trimmed.sliced(1, trimmed.size() - 2));
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    const QStringList key = settingsKeyComponents(line.left(equals).trimmed());
    if (equals < 0 || key.isEmpty())
      throw malformed(lineNumber, QStringLiteral("no key=value"));
    const std::optional<QString> value = unescaped(line.sliced(equals + 1));
    if (!value)
      throw malformed(lineNumber,
                      QStringLiteral("unknown escape after \"\\\""));
    file.setValue((section + key).join(KeySeparator), *value);
  }
  return file;
}

QString SettingsFile::value(const QString &key) const {
  for (const Entry &entry : m_entries)
    if (entry.key == key)
      return entry.value;
  return {};
}

void SettingsFile::setValue(const QString &key, const QString &value) {
  for (Entry &entry : m_entries)
    if (entry.key == key) {
      entry.value = value;
      return;
    }
  m_entries.append({key, value});
}

QByteArray SettingsFile::toBytes() const {
  // Keys without a section come first: a section runs to the next one.
  QStringList sections{QString()};
  for (const Entry &entry : m_entries)
    if (!sections.contains(sectionOf(entry.key)))
      sections.append(sectionOf(entry.key));
  QString text;
  for (const QString &section : sections) {
    if (!section.isEmpty())
      text += u'[' + section + QLatin1String("]\n");
    for (const Entry &entry : m_entries)
      if (sectionOf(entry.key) == section)
        text += entry.key.sliced(section.isEmpty() ? 0 : section.size() + 1) +
                u'=' + escaped(entry.value) + u'\n';
  }
  return text.toUtf8();
}
