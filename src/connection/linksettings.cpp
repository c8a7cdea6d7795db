#include "connection/linksettings.h"

namespace {

struct LinkValue {
  QStringView name;
  QString DbLinkInfo::*member;
};

constexpr LinkValue MainWindowOrder[] = {
    {u"dbuser", &DbLinkInfo::user},
    {u"dbdatabase", &DbLinkInfo::database},
    {u"dbserver", &DbLinkInfo::server},
    {u"dbpassword", &DbLinkInfo::password},
};

constexpr LinkValue DialogOrder[] = {
    {u"dbserver", &DbLinkInfo::server},
    {u"dbdatabase", &DbLinkInfo::database},
    {u"dbuser", &DbLinkInfo::user},
    {u"dbpassword", &DbLinkInfo::password},
};

// The order in which the values are written.
const auto &WriteOrder = DialogOrder;

} // namespace

void ReadLinkSettings(SettingsStore &store, LinkReadOrder order,
                      DbLinkInfo &info) {
  if (!store.openKey(LinkSettingsKey))
    return;
  const auto &values =
      order == LinkReadOrder::MainWindow ? MainWindowOrder : DialogOrder;
  for (const LinkValue &value : values)
    info.*value.member = store.readString(value.name.toString());
}

void WriteLinkSettings(SettingsStore &store, const DbLinkInfo &info) {
  if (!store.openKey(LinkSettingsKey))
    return;
  for (const LinkValue &value : WriteOrder)
    store.writeString(value.name.toString(), info.*value.member);
}

QString BuildConnectionString(const DbLinkInfo &info) {
  return QStringLiteral("Provider=sqloledb;uid=") + info.user +
         QStringLiteral(";database=") + info.database +
         QStringLiteral(";server=") + info.server + QStringLiteral(";pwd=") +
         info.password;
}
