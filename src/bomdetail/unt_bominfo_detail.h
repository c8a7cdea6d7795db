#pragma once

#include "bomdetail/expansionquery.h"
#include "platform/platformservices.h"

#include <QDialog>

class DataSource;
class DbConnection;
class Query;
class QCheckBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class TDBGridEh;

// The component window "BOM查询_细表": the components of the header that is
// current in the main window's header query, one level deep or down to the
// last level.
class Tfrm_bominfo_detail : public QDialog {
  Q_OBJECT
public:
  // `header` is the main window's header query, positioned on the header to
  // show; `mode` the expansion asked for when opening.
  Tfrm_bominfo_detail(PlatformServices &services, DbConnection &ado_conn,
                      Query &header, ExpandMode mode,
                      QWidget *parent = nullptr);

  ::ExpandMode expandMode() const { return m_expandMode; }

  QToolButton *tbn_query;
  QToolButton *tbn_export;
  QToolButton *tbn_help;
  QToolButton *tb_exit;
  QLineEdit *dbe_code;
  QLineEdit *dbe_name;
  QLineEdit *dbe_std;
  QLineEdit *dbe_addcode;
  QCheckBox *cb_level;
  TDBGridEh *dbg_bomdetail;
  QStatusBar *sb_recordcount;
  Query *ado_bomdetail;
  DataSource *ds_bomdetail;

  // The record-count panel of the status bar.
  QLabel *recordCountPanel() const { return m_countPanel; }

  // Runs the expansion query in the mode the check box says.
  void RunExpansion();

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  void FormShow();
  void tbn_exportClick();
  void tbn_helpClick();

  PlatformServices &m_services;
  Query &m_header;
  ::ExpandMode m_expandMode;
  QLabel *m_countPanel;
  bool m_shown = false;
};

// The component window while it is open; null otherwise.
extern Tfrm_bominfo_detail *frm_bominfo_detail;
