#pragma once

#include "grid/color.h"

#include <QFrame>
#include <array>
#include <functional>

class QLineEdit;

// Where the main window's contact strips point.
struct ContactDetails {
  QString webAddress;
  QString email;
  QString messenger;
};

// The contact details shown in the main window.
const ContactDetails &programContactDetails();

// The colour a contact field takes on the next tick of the colour cycle:
// red → yellow → blue → black → red; any other colour turns red.
TColor nextContactColor(TColor current);

// Labels "网址:", "E-mail:" and "QQ:", each followed by a borderless
// read-only field with the web address, the e-mail address and the
// messenger number, in one row (horizontal) or one below the other
// (vertical). A mouse press on the web-address field turns its text red
// and raises OnWebAddressPressed.
class ContactStrip : public QFrame {
  Q_OBJECT
public:
  ContactStrip(const ContactDetails &details, int points,
               Qt::Orientation orientation, QWidget *parent = nullptr);

  // The web-address, e-mail and messenger fields, in this order.
  const std::array<QLineEdit *, 3> &fields() const { return m_fields; }
  QLineEdit *webAddressField() const { return m_fields[0]; }

  // The text colour of field `index` (0x00BBGGRR).
  TColor fieldColor(int index) const { return m_colors[index]; }
  void setFieldColor(int index, TColor color);
  // One step of the colour cycle, for each field from its own colour.
  void cycleColors();

  std::function<void()> OnWebAddressPressed;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  std::array<QLineEdit *, 3> m_fields{};
  std::array<TColor, 3> m_colors{clBlack, clBlack, clBlack};
};
