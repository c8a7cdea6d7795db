#include "bomdetail/unt_bominfo_detail.h"

#include "app/application.h"
#include "app/labelledfield.h"
#include "app/messagetexts.h"
#include "app/windowfonts.h"
#include "app/windowtoolbar.h"
#include "bomdetail/bomdetailcolumns.h"
#include "bomdetail/helpfiles.h"
#include "export/exportgridtofile.h"
#include "grid/applytitlesort.h"
#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "grid/highlightcurrentrow.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "platform/desktop/clock.h"
#include "platform/desktop/messageboxes.h"
#include "platform/desktop/shell.h"
#include "platform/desktop/waitcursor.h"
#include "platform/longwork/longwork.h"
#include "platform/longwork/onscreenstart.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

Tfrm_bominfo_detail *frm_bominfo_detail = nullptr;

namespace {

constexpr int HeaderPanelHeight = 29;
constexpr int FieldY = 4;
constexpr int FieldHeight = 21;

QLineEdit *addHeaderField(QWidget *panel, const QString &caption, int x,
                          int width) {
  addFieldCaption(panel, caption, x, FieldY, FieldHeight);
  auto *field = new QLineEdit(panel);
  field->setReadOnly(true);
  field->setGeometry(x, FieldY, width, FieldHeight);
  return field;
}

} // namespace

Tfrm_bominfo_detail::Tfrm_bominfo_detail(PlatformServices &services,
                                         DbConnection &ado_conn, Query &header,
                                         ExpandMode mode, QWidget *parent)
    : QDialog(parent), m_services(services), m_header(header),
      m_expandMode(mode) {
  setObjectName(QStringLiteral("frm_bominfo_detail"));
  setWindowTitle(QStringLiteral("BOM查询_细表"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setFont(songTiFont(9));
  resize(1058, 606);
  setWindowState(Qt::WindowMaximized);

  auto *toolBar = new WindowToolBar(this);
  tbn_query = toolBar->addButton(ToolIcon::Query, QStringLiteral("查询"));
  tbn_export = toolBar->addButton(ToolIcon::Export, QStringLiteral("输出"));
  tbn_help = toolBar->addButton(ToolIcon::Help, QStringLiteral("帮助"));
  tb_exit = toolBar->addButton(ToolIcon::Exit, QStringLiteral("退出"));

  auto *headerPanel = new QFrame(this);
  headerPanel->setFixedHeight(HeaderPanelHeight);
  dbe_code = addHeaderField(headerPanel, QStringLiteral("存货编码"), 75, 126);
  dbe_name = addHeaderField(headerPanel, QStringLiteral("存货名称"), 259, 226);
  dbe_std = addHeaderField(headerPanel, QStringLiteral("规格型号"), 541, 138);
  dbe_addcode =
      addHeaderField(headerPanel, QStringLiteral("存货代码"), 734, 121);
  cb_level = new QCheckBox(QStringLiteral("到末级"), headerPanel);
  cb_level->setGeometry(877, FieldY, 80, FieldHeight);

  ado_bomdetail = new Query(QStringLiteral("ado_bomdetail"), this);
  ado_bomdetail->setConnection(&ado_conn);
  declareExpansionFields(*ado_bomdetail);
  ds_bomdetail = new DataSource(this);
  ds_bomdetail->setDataSet(ado_bomdetail);

  dbg_bomdetail = new TDBGridEh(this);
  dbg_bomdetail->setName(QStringLiteral("dbg_bomdetail"));
  applyBomGridSettings(*dbg_bomdetail);
  setupBomDetailColumns(*dbg_bomdetail);
  dbg_bomdetail->setDataSource(ds_bomdetail);
  dbg_bomdetail->OnDrawColumnCell = HighlightCurrentRow;
  dbg_bomdetail->OnTitleClick = [this](TColumnEh &column) {
    ApplyTitleSort(*dbg_bomdetail, ado_bomdetail, column);
  };

  sb_recordcount = new QStatusBar(this);
  sb_recordcount->setSizeGripEnabled(false);
  m_countPanel = new QLabel(sb_recordcount);
  sb_recordcount->addWidget(m_countPanel, 1);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(headerPanel);
  layout->addWidget(dbg_bomdetail, 1);
  layout->addWidget(sb_recordcount);

  connect(tbn_query, &QToolButton::clicked, this,
          guarded([this] { RunExpansion(); }));
  connect(cb_level, &QCheckBox::clicked, this,
          guarded([this] { RunExpansion(); }));
  connect(tbn_export, &QToolButton::clicked, this,
          guarded([this] { tbn_exportClick(); }));
  connect(tbn_help, &QToolButton::clicked, this,
          guarded([this] { tbn_helpClick(); }));
  connect(tb_exit, &QToolButton::clicked, this, &QDialog::close);
}

void Tfrm_bominfo_detail::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (m_shown)
    return;
  m_shown = true;
  runGuarded([this] {
    FormShow();
    // The expansion is long work: it starts once the window is on screen
    // and modal, so no other window takes input meanwhile.
    startWhenOnScreen(this, guarded([this] { RunExpansion(); }));
  });
}

void Tfrm_bominfo_detail::closeEvent(QCloseEvent *event) {
  QDialog::closeEvent(event);
  if (event->isAccepted() && frm_bominfo_detail == this)
    frm_bominfo_detail = nullptr;
}

void Tfrm_bominfo_detail::FormShow() {
  dbe_code->setText(
      m_header.FieldByName(QStringLiteral("InvCode"))->AsString());
  dbe_name->setText(
      m_header.FieldByName(QStringLiteral("cInvName"))->AsString());
  dbe_std->setText(m_header.FieldByName(QStringLiteral("cInvStd"))->AsString());
  dbe_addcode->setText(
      m_header.FieldByName(QStringLiteral("cInvAddCode"))->AsString());
  for (QLineEdit *field : {dbe_code, dbe_name, dbe_std, dbe_addcode})
    field->setCursorPosition(0);
  cb_level->setChecked(m_expandMode == ExpandMode::ToLastLevel);
  dbg_bomdetail->setFocus();
}

void Tfrm_bominfo_detail::RunExpansion() {
  m_expandMode =
      cb_level->isChecked() ? ExpandMode::ToLastLevel : ExpandMode::OneLevel;
  const int bomId = m_header.FieldByName(QStringLiteral("BomId"))->AsInteger();
  const int parentId =
      m_header.FieldByName(QStringLiteral("parentId"))->AsInteger();
  bool opened;
  bool cancelled;
  {
    LongWork work(this, WorkKind::Query);
    const WaitCursor busy;
    opened =
        runExpansionQuery(*ado_bomdetail, bomId, parentId, m_expandMode, &work);
    cancelled = work.cancelled();
  }
  // A cancelled expansion leaves the grid empty, and the count says so.
  if (!opened && cancelled) {
    m_countPanel->setText(recordCountText(0));
    return;
  }
  if (!opened) {
    m_services.messages.showMessage(
        this, NoticeCaption, BomDetailReadFailedText, MessageIcon::Information);
    return;
  }
  m_countPanel->setText(recordCountText(ado_bomdetail->recordCount()));
}

void Tfrm_bominfo_detail::tbn_exportClick() {
  if (!ExportGridToFile(dbg_bomdetail,
                        datedFileName(QStringLiteral("BOM信息查询明细-"),
                                      m_services.clock.today()),
                        0, m_services.saveDialog, this))
    m_services.messages.showMessage(
        this, NoticeCaption, QStringLiteral("BOM信息查询明细输出未完成！"),
        MessageIcon::Information);
}

void Tfrm_bominfo_detail::tbn_helpClick() {
  // Most desktops other than Windows have no viewer for the compiled help;
  // its page opens in the browser instead, and with neither the user is
  // told why nothing opened.
  for (const QString &file : componentHelpFiles())
    if (m_services.shell.execute(this, QStringLiteral("open"), file,
                                 ShellShowMode::Show))
      return;
  m_services.messages.showMessage(this, NoticeCaption, HelpUnavailableText,
                                  MessageIcon::Information);
}
