#include "app/unt_lorquin.h"

#include "app/application.h"
#include "app/bomheaderquery.h"
#include "app/bominfomaincolumns.h"
#include "app/contactstrip.h"
#include "app/labelledfield.h"
#include "app/messagetexts.h"
#include "app/openmodal.h"
#include "app/windowfonts.h"
#include "app/windowtoolbar.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/startupconnection.h"
#include "connection/unt_link.h"
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

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

Tfrm_lorquin *frm_lorquin = nullptr;

namespace {

constexpr int FilterPanelHeight = 79;
constexpr int BottomBarHeight = 28;
constexpr int CountPanelWidth = 253;
constexpr int ControlWidth = 120;
constexpr int ControlHeight = 21;
constexpr int ColumnX[] = {54, 232, 408};
constexpr int RowY[] = {4, 28, 52};

template <class Control>
Control *placeControl(QWidget *panel, Control *control, const QString &caption,
                      int column, int row) {
  addFieldCaption(panel, caption, ColumnX[column], RowY[row], ControlHeight);
  control->setGeometry(ColumnX[column], RowY[row], ControlWidth, ControlHeight);
  return control;
}

QComboBox *dropDownList(QWidget *parent, const QStringList &items) {
  auto *box = new QComboBox(parent);
  box->addItems(items);
  return box;
}

} // namespace

Tfrm_lorquin::Tfrm_lorquin(PlatformServices &services, QWidget *parent)
    : QWidget(parent), ado_conn(services.databaseEngines),
      m_services(services) {
  setObjectName(QStringLiteral("frm_lorquin"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("BOM查询"));
  setFont(songTiFont(9));
  resize(942, 500);

  ado_bominfomain = new Query(QStringLiteral("ado_bominfomain"), this);
  ado_bominfomain->setConnection(&ado_conn);
  declareBomHeaderFields(*ado_bominfomain);
  ado_info = new Query(QStringLiteral("ado_info"), this);
  ado_info->setConnection(&ado_conn);
  ds_bominfomain = new DataSource(this);
  ds_bominfomain->setDataSet(ado_bominfomain);
  t_action = new QTimer(this);
  t_action->setInterval(1000);

  auto *toolBar = new WindowToolBar(this);
  tbn_query = toolBar->addButton(ToolIcon::Query, QStringLiteral("查询"));
  tbn_export = toolBar->addButton(ToolIcon::Export, QStringLiteral("输出"));
  tbn_link = toolBar->addButton(ToolIcon::Connect, QStringLiteral("连接"));
  tb_exit = toolBar->addButton(ToolIcon::Exit, QStringLiteral("退出"));

  dbg_bominfomain = new TDBGridEh(this);
  dbg_bominfomain->setName(QStringLiteral("dbg_bominfomain"));
  applyBomGridSettings(*dbg_bominfomain);
  setupBomInfoMainColumns(*dbg_bominfomain);
  dbg_bominfomain->setDataSource(ds_bominfomain);
  dbg_bominfomain->viewport()->setCursor(Qt::PointingHandCursor);
  dbg_bominfomain->viewport()->installEventFilter(this);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(createFilterPanel());
  layout->addWidget(dbg_bominfomain, 1);
  layout->addWidget(createBottomBar());
  // What the user types first goes into the first filter of the tab order.
  edt_class->setFocus();

  connectHandlers();
}

Tfrm_lorquin::~Tfrm_lorquin() {
  // The grid's viewport would report its own destruction to this window,
  // whose grid member is already half destroyed by then.
  dbg_bominfomain->viewport()->removeEventFilter(this);
  // The queries and the grid go before the connection they use.
  delete dbg_bominfomain;
  delete ado_bominfomain;
  delete ado_info;
  if (frm_lorquin == this)
    frm_lorquin = nullptr;
}

QWidget *Tfrm_lorquin::createFilterPanel() {
  auto *panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setFixedHeight(FilterPanelHeight);

  edt_code = placeControl(panel, new QLineEdit(panel),
                          QStringLiteral("存货编码"), 0, 0);
  edt_std = placeControl(panel, new QLineEdit(panel),
                         QStringLiteral("规格型号"), 1, 0);
  edt_addcode = placeControl(panel, new QLineEdit(panel),
                             QStringLiteral("存货代码"), 2, 0);
  edt_name = placeControl(panel, new QLineEdit(panel),
                          QStringLiteral("存货名称"), 0, 1);
  cbb_type =
      placeControl(panel,
                   dropDownList(panel, {QString(), QStringLiteral("主BOM"),
                                        QStringLiteral("替代BOM")}),
                   QStringLiteral("类    型"), 1, 1);
  cbb_status = placeControl(
      panel,
      dropDownList(panel, {QString(), QStringLiteral("新增"),
                           QStringLiteral("审核"), QStringLiteral("停用")}),
      QStringLiteral("状    态"), 2, 1);
  edt_class = placeControl(panel, new QComboBox(panel),
                           QStringLiteral("存货大类"), 0, 2);
  edt_class->setEditable(true);
  edt_class->setInsertPolicy(QComboBox::NoInsert);
  edt_class->setMaxVisibleItems(16);
  // Each keystroke queries the text as typed: a completion filled in behind
  // the caret would run a second query for a text nobody typed.
  edt_class->setCompleter(nullptr);

  QWidget::setTabOrder(edt_class, edt_code);
  QWidget::setTabOrder(edt_code, edt_std);
  QWidget::setTabOrder(edt_std, edt_addcode);
  QWidget::setTabOrder(edt_addcode, edt_name);
  QWidget::setTabOrder(edt_name, cbb_type);
  QWidget::setTabOrder(cbb_type, cbb_status);

  contactTop =
      new ContactStrip(programContactDetails(), 12, Qt::Vertical, panel);
  contactTop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  contactTop->setGeometry(600, 3, 331, 72);
  return panel;
}

QWidget *Tfrm_lorquin::createBottomBar() {
  auto *bar = new QFrame(this);
  bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar->setFixedHeight(BottomBarHeight);
  auto *row = new QHBoxLayout(bar);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(2);
  pnl_recordcount = new QLabel(QStringLiteral("记录数为："), bar);
  pnl_recordcount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnl_recordcount->setFixedWidth(CountPanelWidth);
  pnl_recordcount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  pnl_recordcount->setIndent(4);
  row->addWidget(pnl_recordcount);
  contactBottom =
      new ContactStrip(programContactDetails(), 9, Qt::Horizontal, bar);
  row->addWidget(contactBottom, 1);
  return bar;
}

void Tfrm_lorquin::connectHandlers() {
  const auto run = guarded([this] { RunBomQuery(); });
  connect(tbn_query, &QToolButton::clicked, this, run);
  // Every keystroke in the class box and every pick from a list re-runs the
  // query; the free-text boxes wait for "查询".
  connect(edt_class, &QComboBox::editTextChanged, this, run);
  connect(cbb_type, &QComboBox::currentTextChanged, this, run);
  connect(cbb_status, &QComboBox::currentTextChanged, this, run);
  connect(tbn_export, &QToolButton::clicked, this,
          guarded([this] { tbn_exportClick(); }));
  connect(tbn_link, &QToolButton::clicked, this,
          guarded([this] { tbn_linkClick(); }));
  connect(tb_exit, &QToolButton::clicked, this, &QWidget::close);
  connect(t_action, &QTimer::timeout, this,
          guarded([this] { t_actionTimer(); }));
  dbg_bominfomain->OnDblClick = [this](TDBGridEh &) {
    dbg_bominfomainDblClick();
  };
  dbg_bominfomain->OnDrawColumnCell = HighlightCurrentRow;
  // Title clicks sort this grid too, as they sort the component grid.
  dbg_bominfomain->OnTitleClick = [this](TColumnEh &column) {
    ApplyTitleSort(*dbg_bominfomain, ado_bominfomain, column);
  };
  for (ContactStrip *strip : {contactTop, contactBottom})
    strip->OnWebAddressPressed = [this] { openWebAddress(); };
}

void Tfrm_lorquin::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (m_shown)
    return;
  m_shown = true;
  // The login is long work: it starts once the window is on screen, never
  // before the window system could show it.
  startWhenOnScreen(this, guarded([this] { FormShow(); }));
}

void Tfrm_lorquin::closeEvent(QCloseEvent *event) {
  QWidget::closeEvent(event);
  if (event->isAccepted() && frm_lorquin == this)
    frm_lorquin = nullptr;
}

void Tfrm_lorquin::notify(const QString &text) {
  m_services.messages.showMessage(this, NoticeCaption, text,
                                  MessageIcon::Information);
}

void Tfrm_lorquin::FormShow() {
  if (!readStartupSettings(*m_services.settingsStore(), m_linkInfo))
    m_services.messages.showMessage(
        nullptr, ErrorCaption, StartupSettingsErrorText, MessageIcon::Error);
  StartupConnectResult connected;
  std::optional<QStringList> classes;
  bool cancelled;
  {
    LongWork work(this, WorkKind::Login);
    const WaitCursor busy;
    connected = connectAtStartup(ado_conn, m_linkInfo, &work);
    if (connected == StartupConnectResult::Connected)
      classes = loadClassNames(*ado_info, &work);
    cancelled = work.cancelled();
  }
  // A start-up the user cancelled stops as a failed one does, silently.
  if (connected != StartupConnectResult::Connected) {
    if (!cancelled)
      notify(StartupConnectFailedText);
    return;
  }
  if (!classes) {
    if (!cancelled)
      notify(ClassListFailedText);
    return;
  }
  fillClassList(*classes);
  t_action->start();
}

void Tfrm_lorquin::fillClassList(const QStringList &names) {
  // Filling the list must not touch the typed text: a change of it would
  // run the header query.
  const QSignalBlocker blocker(edt_class);
  const QString text = edt_class->currentText();
  edt_class->clear();
  edt_class->addItems(names);
  edt_class->setCurrentIndex(-1);
  edt_class->setEditText(text);
}

void Tfrm_lorquin::RunBomQuery() {
  const BomHeaderFilters filters{
      edt_code->text(),        edt_std->text(),
      edt_addcode->text(),     edt_name->text(),
      cbb_type->currentText(), cbb_status->currentText(),
      edt_class->currentText()};
  bool opened;
  bool cancelled;
  {
    LongWork work(this, WorkKind::Query);
    const WaitCursor busy;
    opened = runBomHeaderQuery(*ado_bominfomain, filters, &work);
    cancelled = work.cancelled();
  }
  // The progress window is gone and input flows again before any message.
  if (!opened) {
    // A cancelled query leaves the grid empty, and the count says so.
    if (cancelled)
      pnl_recordcount->setText(recordCountText(0));
    else
      notify(BomDataReadFailedText);
    return;
  }
  pnl_recordcount->setText(recordCountText(ado_bominfomain->recordCount()));
}

void Tfrm_lorquin::dbg_bominfomainDblClick() {
  // A double click on a title is also two title clicks, the second raised
  // when the button comes up: the question waits for that, so it is asked
  // once the gesture is over, about the record current after both clicks,
  // and no modal box opens while the grid still holds a pressed title.
  if (m_doubleClickHeld) {
    m_openAfterRelease = true;
    return;
  }
  openCurrentHeader();
}

bool Tfrm_lorquin::eventFilter(QObject *watched, QEvent *event) {
  if (watched == dbg_bominfomain->viewport()) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
      m_doubleClickHeld = true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               m_doubleClickHeld) {
      m_doubleClickHeld = false;
      if (m_openAfterRelease) {
        m_openAfterRelease = false;
        // After the title click this release raises, which may sort.
        LongWork::whenIdle(this, guarded([this] { openCurrentHeader(); }));
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Tfrm_lorquin::openCurrentHeader() {
  if (ado_bominfomain->isEmpty())
    return;
  const YesNoAnswer answer = m_services.messages.askYesNo(
      this, NoticeCaption, QStringLiteral("是否到末级？"));
  // Backing out of the question opens nothing.
  if (answer == YesNoAnswer::Dismissed)
    return;
  OpenModal(frm_bominfo_detail, m_services, ado_conn, *ado_bominfomain,
            answer == YesNoAnswer::Yes ? ExpandMode::ToLastLevel
                                       : ExpandMode::OneLevel);
}

void Tfrm_lorquin::tbn_exportClick() {
  if (!ExportGridToFile(
          dbg_bominfomain,
          datedFileName(QStringLiteral("BOM查询-"), m_services.clock.today()),
          0, m_services.saveDialog, this))
    notify(QStringLiteral("BOM查询数据输出未完成！"));
}

void Tfrm_lorquin::tbn_linkClick() {
  OpenModal(frm_link, m_services, ado_conn);
}

void Tfrm_lorquin::t_actionTimer() {
  contactTop->cycleColors();
  contactBottom->cycleColors();
}

void Tfrm_lorquin::openWebAddress() {
  m_services.shell.execute(this, QString(), programContactDetails().webAddress,
                           ShellShowMode::Normal);
}
