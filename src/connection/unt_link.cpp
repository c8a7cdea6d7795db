#include "connection/unt_link.h"

#include "app/application.h"
#include "app/messagetexts.h"
#include "app/windowfonts.h"
#include "connection/linksettings.h"
#include "platform/database/dbconnection.h"
#include "platform/desktop/messageboxes.h"
#include "platform/desktop/waitcursor.h"
#include "platform/errors.h"
#include "platform/longwork/longwork.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Tfrm_link *frm_link = nullptr;

namespace {

constexpr int LabelX = 32;
constexpr int EditX = 88;
constexpr int EditWidth = 209;
constexpr int ButtonY = 151;

} // namespace

Tfrm_link::Tfrm_link(PlatformServices &services, DbConnection &ado_conn,
                     QWidget *parent)
    : QDialog(parent), m_services(services), m_connection(ado_conn) {
  setObjectName(QStringLiteral("frm_link"));
  setWindowTitle(QStringLiteral("数据库连接"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
  setFont(sansSerifFont(8));
  setFixedSize(334, 212);
  move(470, 299);

  const QFont captionFont = songTiFont(12);
  const struct {
    const char16_t *label;
    int labelY;
    QLineEdit *&edit;
    int editY;
  } rows[] = {
      {u"服务器", 30, edt_server, 26},
      {u"数据库", 60, edt_database, 56},
      {u"用  户", 91, edt_user, 87},
      {u"密  码", 122, edt_password, 118},
  };
  for (const auto &row : rows) {
    auto *label = new QLabel(QString::fromUtf16(row.label), this);
    label->setFont(captionFont);
    label->move(LabelX, row.labelY);
    label->adjustSize();
    row.edit = new QLineEdit(this);
    row.edit->setGeometry(EditX, row.editY, EditWidth, 21);
  }
  edt_password->setEchoMode(QLineEdit::Password);
  edt_password->setStyleSheet(
      QStringLiteral("lineedit-password-character: 42;")); // "*"

  btn_ok = new QPushButton(QStringLiteral("确定"), this);
  btn_ok->setFont(captionFont);
  btn_ok->setGeometry(113, ButtonY, 59, 29);
  btn_cancel = new QPushButton(QStringLiteral("取消"), this);
  btn_cancel->setFont(captionFont);
  btn_cancel->setGeometry(200, ButtonY, 59, 29);
  // Enter anywhere in the dialog means "确定", as users expect of a dialog.
  btn_ok->setDefault(true);
  btn_cancel->setAutoDefault(false);

  connect(btn_ok, &QPushButton::clicked, this,
          guarded([this] { btn_okClick(); }));
  connect(btn_cancel, &QPushButton::clicked, this,
          guarded([this] { btn_cancelClick(); }));
}

void Tfrm_link::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (m_shown)
    return;
  m_shown = true;
  runGuarded([this] { FormShow(); });
}

void Tfrm_link::FormShow() {
  DbLinkInfo info;
  try {
    ReadLinkSettings(*m_services.settingsStore(), LinkReadOrder::Dialog, info);
  } catch (const SettingsError &) {
    m_services.messages.showMessage(
        nullptr, ErrorCaption, SettingsAccessErrorText, MessageIcon::Error);
  }
  edt_server->setText(info.server);
  edt_database->setText(info.database);
  edt_user->setText(info.user);
  edt_password->setText(info.password);
}

bool Tfrm_link::checkFilled(QLineEdit *edit, const QString &text) {
  if (!edit->text().trimmed().isEmpty())
    return true;
  m_services.messages.showMessage(this, NoticeCaption, text,
                                  MessageIcon::Information);
  edit->setFocus();
  return false;
}

void Tfrm_link::btn_okClick() {
  if (!checkFilled(edt_server, ServerRequiredText) ||
      !checkFilled(edt_database, DatabaseRequiredText) ||
      !checkFilled(edt_user, UserRequiredText))
    return;
  const DbLinkInfo info{
      edt_server->text().trimmed(), edt_database->text().trimmed(),
      edt_user->text().trimmed(), edt_password->text().trimmed()};
  try {
    LongWork work(this, WorkKind::Login);
    const WaitCursor busy;
    m_connection.close();
    m_connection.setConnectionString(BuildConnectionString(info), info);
    m_connection.open(&work);
  } catch (const WorkCancelled &) {
    // The user stopped the login: the dialog stays open, nothing is
    // stored, and the connection stays closed.
    return;
  } catch (const Error &) {
    m_services.messages.showMessage(this, currentApplicationTitle(),
                                    DialogConnectFailedText, MessageIcon::None);
    return;
  }
  m_services.messages.showMessage(this, NoticeCaption, LoginSucceededText,
                                  MessageIcon::Information);
  try {
    WriteLinkSettings(*m_services.settingsStore(), info);
  } catch (const SettingsError &) {
    m_services.messages.showMessage(
        nullptr, ErrorCaption, SettingsAccessErrorText, MessageIcon::Error);
  }
  accept();
}

void Tfrm_link::btn_cancelClick() {
  for (QLineEdit *edit : {edt_server, edt_database, edt_user, edt_password})
    edit->clear();
}
