#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The font faces one rich-text document uses, numbered in order of first
// use. Names differing only in letter case are one font, written in the form
// met first.
class RtfFontTable {
public:
  // The face's number, appended when new.
  int index(const QString &name);
  // "{\fonttbl" and "\fN\fnil NAME;" per face (code page 936), then "}".
  QByteArray text() const;

private:
  std::vector<QString> m_names;
  int m_last = -1; // cells mostly repeat the face before them
};
