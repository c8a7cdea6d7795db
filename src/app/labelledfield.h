#pragma once

#include <QString>

class QLabel;
class QWidget;

// Places a caption ending 4 pixels before `fieldX`, vertically centred on
// a field at `fieldY` of `fieldHeight` pixels, as the filter and header
// panels lay out their rows.
QLabel *addFieldCaption(QWidget *panel, const QString &caption, int fieldX,
                        int fieldY, int fieldHeight);
