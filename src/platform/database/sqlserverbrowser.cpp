#include "platform/database/sqlserverbrowser.h"

#include "platform/errors.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

// A unicast question for one instance: 0x04, its name, a zero byte.
QByteArray instanceQuestion(const QString &instance) {
  return '\x04' + instance.toLocal8Bit() + '\0';
}

// The TCP port the answer gives for `instance`; 0 when it names none. The
// answer is 0x05, a 16-bit length, then "key;value;...;;" per instance.
quint16 portInAnswer(const QByteArray &answer, const QString &instance) {
  if (answer.size() < 3 || answer[0] != '\x05')
    return 0;
  const QString text = QString::fromLocal8Bit(answer.mid(3));
  for (const QString &entry : text.split(QLatin1String(";;"))) {
    const QStringList fields = entry.split(u';');
    QString name;
    QString tcp;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
      if (fields[i].compare(QLatin1String("InstanceName"),
                            Qt::CaseInsensitive) == 0)
        name = fields[i + 1];
      else if (fields[i].compare(QLatin1String("tcp"), Qt::CaseInsensitive) ==
               0)
        tcp = fields[i + 1];
    }
    bool valid = false;
    const ushort port = tcp.toUShort(&valid);
    if (valid && port != 0 && name.compare(instance, Qt::CaseInsensitive) == 0)
      return port;
  }
  return 0;
}

} // namespace

quint16 sqlServerInstancePort(const QString &host, const QString &instance,
                              std::chrono::milliseconds timeout,
                              quint16 browserPort) {
  const auto failure = [&](const QString &what) {
    return DatabaseError(QStringLiteral("SQL Server instance %1\\%2: %3")
                             .arg(host, instance, what));
  };
  const QDeadlineTimer deadline(timeout);
  QUdpSocket socket;
  socket.connectToHost(host, browserPort);
  if (!socket.waitForConnected(int(deadline.remainingTime())))
    throw failure(QStringLiteral("the host cannot be reached (%1)")
                      .arg(socket.errorString()));
  const QByteArray question = instanceQuestion(instance);
  while (!deadline.hasExpired()) {
    socket.write(question);
    const QDeadlineTimer resend(
        std::min<qint64>(250, deadline.remainingTime()));
    if (socket.waitForReadyRead(int(resend.remainingTime()))) {
      const QNetworkDatagram answer = socket.receiveDatagram();
      if (answer.isValid()) {
        const quint16 port = portInAnswer(answer.data(), instance);
        if (port == 0)
          throw failure(QStringLiteral("the SQL Server Browser names no TCP "
                                       "port for the instance"));
        return port;
      }
    }
    // The host's "port unreachable" for the question.
    if (socket.error() == QAbstractSocket::ConnectionRefusedError)
      throw failure(
          QStringLiteral("no SQL Server Browser answers on the host"));
  }
  throw failure(QStringLiteral("the SQL Server Browser gave no answer within "
                               "%1 ms")
                    .arg(timeout.count()));
}

QString serverWithInstancePort(const QString &server) {
  const qsizetype backslash = server.indexOf(u'\\');
  if (backslash < 0 || server.contains(u','))
    return server;
  const QString host = server.left(backslash).trimmed();
  const QString instance = server.mid(backslash + 1).trimmed();
  return QStringLiteral("%1,%2").arg(
      host, QString::number(sqlServerInstancePort(host, instance)));
}
