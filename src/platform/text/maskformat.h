#pragma once

#include <QString>
#include <QStringView>

// Formats `text` through an edit mask: "0 9 # L l A a C c" take the next
// character of the text, "\" makes the next mask character literal, every
// other character is written as it stands; a mask holding ";" uses only its
// first section. A placeholder past the end of the text writes nothing; text
// left over after the mask ends is dropped.
QString formatMaskText(QStringView mask, QStringView text);
