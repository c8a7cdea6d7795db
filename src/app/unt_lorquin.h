#pragma once

#include "platform/database/dbconnection.h"
#include "platform/platformservices.h"
#include "platform/settings/dblinkinfo.h"

#include <QWidget>

class ContactStrip;
class DataSource;
class Query;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;
class TDBGridEh;

// The main window "BOM查询": the filters, the BOM header grid and the
// record count. It owns the program's one connection and the header query
// the other windows read.
class Tfrm_lorquin : public QWidget {
  Q_OBJECT
public:
  explicit Tfrm_lorquin(PlatformServices &services, QWidget *parent = nullptr);
  ~Tfrm_lorquin() override;

  DbConnection ado_conn;
  Query *ado_bominfomain;
  Query *ado_info;
  DataSource *ds_bominfomain;

  QToolButton *tbn_query;
  QToolButton *tbn_export;
  QToolButton *tbn_link;
  QToolButton *tb_exit;
  QLineEdit *edt_code;
  QLineEdit *edt_std;
  QLineEdit *edt_addcode;
  QLineEdit *edt_name;
  QComboBox *cbb_type;
  QComboBox *cbb_status;
  QComboBox *edt_class;
  TDBGridEh *dbg_bominfomain;
  QLabel *pnl_recordcount;
  ContactStrip *contactTop;
  ContactStrip *contactBottom;
  QTimer *t_action;

  // The settings read at start-up: server, database, user, password.
  const DbLinkInfo &linkInfo() const { return m_linkInfo; }

  // Runs the header query with the seven filters and shows the count.
  void RunBomQuery();
  // The grid's double click: asks "是否到末级？" and opens the component
  // window for the current header; nothing when the grid shows no rows.
  void dbg_bominfomainDblClick();

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *createFilterPanel();
  QWidget *createBottomBar();
  void connectHandlers();
  void FormShow();
  void fillClassList(const QStringList &names);
  void openCurrentHeader();
  void tbn_exportClick();
  void tbn_linkClick();
  void t_actionTimer();
  void openWebAddress();
  void notify(const QString &text);

  PlatformServices &m_services;
  DbLinkInfo m_linkInfo;
  bool m_shown = false;
  // A double click on the grid whose second press is still held, and
  // whether it asked to open the current header once it is released.
  bool m_doubleClickHeld = false;
  bool m_openAfterRelease = false;
};

// The main window; null before it is created and after it has closed.
extern Tfrm_lorquin *frm_lorquin;
