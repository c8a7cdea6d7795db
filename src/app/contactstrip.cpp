#include "app/contactstrip.h"

#include "app/application.h"
#include "app/windowfonts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

const ContactDetails &programContactDetails() {
  static const ContactDetails details{QStringLiteral("www.example.com"),
                                      QStringLiteral("service@example.com"),
                                      QStringLiteral("800012345")};
  return details;
}

TColor nextContactColor(TColor current) {
  switch (current) {
  case clRed:
    return clYellow;
  case clYellow:
    return clBlue;
  case clBlue:
    return clBlack;
  default:
    return clRed;
  }
}

ContactStrip::ContactStrip(const ContactDetails &details, int points,
                           Qt::Orientation orientation, QWidget *parent)
    : QFrame(parent) {
  setFont(songTiFont(points));
  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(8, 2, 8, 2);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(0);
  const QString labels[] = {QStringLiteral("网址:"), QStringLiteral("E-mail:"),
                            QStringLiteral("QQ:")};
  const QString values[] = {details.webAddress, details.email,
                            details.messenger};
  for (int i = 0; i < 3; ++i) {
    const bool across = orientation == Qt::Horizontal;
    auto *label = new QLabel(labels[i], this);
    grid->addWidget(label, across ? 0 : i, across ? 2 * i : 0);
    auto *field = new QLineEdit(values[i], this);
    field->setReadOnly(true);
    field->setFrame(false);
    field->setFocusPolicy(Qt::NoFocus);
    field->setCursorPosition(0);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(values[i]) +
                           8);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    grid->addWidget(field, across ? 0 : i, across ? 2 * i + 1 : 1);
    grid->setColumnStretch(across ? 2 * i + 1 : 1, 1);
    m_fields[i] = field;
    setFieldColor(i, clBlack);
  }
  webAddressField()->setCursor(Qt::PointingHandCursor);
  webAddressField()->installEventFilter(this);
}

void ContactStrip::setFieldColor(int index, TColor color) {
  m_colors[index] = color;
  QPalette palette = m_fields[index]->palette();
  palette.setColor(QPalette::Text, toQColor(color));
  m_fields[index]->setPalette(palette);
}

void ContactStrip::cycleColors() {
  for (int i = 0; i < 3; ++i)
    setFieldColor(i, nextContactColor(m_colors[i]));
}

bool ContactStrip::eventFilter(QObject *watched, QEvent *event) {
  if (watched == webAddressField() &&
      event->type() == QEvent::MouseButtonPress) {
    runGuarded([this] {
      setFieldColor(0, clRed);
      if (OnWebAddressPressed)
        OnWebAddressPressed();
    });
  }
  return QFrame::eventFilter(watched, event);
}
