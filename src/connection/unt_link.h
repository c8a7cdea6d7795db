#pragma once

#include "platform/platformservices.h"

#include <QDialog>

class DbConnection;
class QLineEdit;
class QPushButton;

// The connection dialog "数据库连接": server, database, user and password,
// tried on the program's connection and stored only when it opens.
class Tfrm_link : public QDialog {
  Q_OBJECT
public:
  Tfrm_link(PlatformServices &services, DbConnection &ado_conn,
            QWidget *parent = nullptr);

  QLineEdit *edt_server;
  QLineEdit *edt_database;
  QLineEdit *edt_user;
  QLineEdit *edt_password;
  QPushButton *btn_ok;
  QPushButton *btn_cancel;

  // "确定": checks the texts, connects with them and stores them.
  void btn_okClick();
  // "取消": empties the four edits; the dialog stays open.
  void btn_cancelClick();

protected:
  void showEvent(QShowEvent *event) override;

private:
  void FormShow();
  // Shows the message for `text` missing and moves the focus to `edit`;
  // false when `edit` holds nothing but blanks.
  bool checkFilled(QLineEdit *edit, const QString &text);

  PlatformServices &m_services;
  DbConnection &m_connection;
  bool m_shown = false;
};

// The dialog while it is open; null otherwise.
extern Tfrm_link *frm_link;
