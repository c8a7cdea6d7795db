#include "app/labelledfield.h"

#include <QLabel>

QLabel *addFieldCaption(QWidget *panel, const QString &caption, int fieldX,
                        int fieldY, int fieldHeight) {
  auto *label = new QLabel(caption, panel);
  label->adjustSize();
  label->move(fieldX - 4 - label->width(),
              fieldY + (fieldHeight - label->height()) / 2);
  return label;
}
