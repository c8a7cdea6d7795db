#include "support/tdstestserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <optional>

namespace {

constexpr int PollMs = 50;

enum PacketType : quint8 {
  SqlBatch = 0x01,
  TabularResult = 0x04,
  Attention = 0x06,
  Login7 = 0x10,
  PreLogin = 0x12,
};

// A server socket that hands the accepted descriptors over, so each
// connection's socket can be made on the thread that serves it.
class DescriptorServer : public QTcpServer {
public:
  std::vector<qintptr> accepted;

protected:
  void incomingConnection(qintptr descriptor) override {
    accepted.push_back(descriptor);
  }
};

struct Message {
  quint8 type = 0;
  QByteArray payload;
};

} // namespace

struct TdsTestServer::Shared {
  Script script;
  std::atomic<bool> stopping{false};
  mutable std::mutex mutex;
  std::vector<QByteArray> batches;
  std::vector<QString> logins;
  std::vector<quint32> versions;
  std::vector<std::thread> connections;
};

namespace {

// One client connection: reads whole messages, writes packets.
class Connection {
public:
  Connection(qintptr descriptor, const std::atomic<bool> &stopping)
      : m_stopping(stopping) {
    m_socket.setSocketDescriptor(descriptor);
  }

  // The next message; empty when the client left or the server stops.
  std::optional<Message> read() {
    Message message;
    for (;;) {
      QByteArray header;
      if (!readExactly(8, header))
        return std::nullopt;
      message.type = quint8(header[0]);
      const int length = qFromBigEndian<quint16>(header.constData() + 2);
      QByteArray body;
      if (length < 8 || !readExactly(length - 8, body))
        return std::nullopt;
      message.payload += body;
      if (header[1] & 0x01) // end of message
        return message;
    }
  }

  // `bytes` as packets of type `type`; the last one ends the message
  // unless `complete` is false.
  void write(quint8 type, const QByteArray &bytes, bool complete = true) {
    const qsizetype room = m_packetSize - 8;
    qsizetype at = 0;
    do {
      const qsizetype size = qMin(room, bytes.size() - at);
      const bool last = at + size == bytes.size();
      char header[8] = {char(type), char(last && complete ? 0x01 : 0x00)};
      qToBigEndian(quint16(size + 8), header + 2);
      qToBigEndian(quint16(0x33), header + 4); // server process id
      header[6] = char(++m_packetId);
      m_socket.write(header, 8);
      m_socket.write(bytes.constData() + at, size);
      at += size;
    } while (at < bytes.size());
    while (m_socket.bytesToWrite() > 0 && !m_stopping &&
           m_socket.state() == QAbstractSocket::ConnectedState)
      m_socket.waitForBytesWritten(PollMs);
  }

  void close() {
    m_socket.flush();
    m_socket.abort();
  }

  void setPacketSize(quint32 size) {
    m_packetSize = qBound<quint32>(512, size, 32767);
  }

private:
  bool readExactly(qsizetype count, QByteArray &out) {
    while (m_buffer.size() < count) {
      if (m_stopping || m_socket.state() != QAbstractSocket::ConnectedState)
        return false;
      if (m_socket.waitForReadyRead(PollMs))
        m_buffer += m_socket.readAll();
    }
    out = m_buffer.left(count);
    m_buffer.remove(0, count);
    return true;
  }

  const std::atomic<bool> &m_stopping;
  QTcpSocket m_socket;
  QByteArray m_buffer;
  quint32 m_packetSize = 4096;
  quint8 m_packetId = 0;
};

QByteArray preLoginAnswer() {
  // Options: version, encryption (not supported), instance, thread id,
  // MARS (off); each as token, offset and length, then their data.
  static const char answer[] = "\x00\x00\x1A\x00\x06"
                               "\x01\x00\x20\x00\x01"
                               "\x02\x00\x21\x00\x01"
                               "\x03\x00\x22\x00\x00"
                               "\x04\x00\x22\x00\x01"
                               "\xFF"
                               "\x0F\x00\x07\xD0\x00\x00"
                               "\x02"
                               "\x00"
                               "\x00";
  return QByteArray(answer, sizeof answer - 1);
}

// A UTF-16 text of LOGIN7 given by its offset and length fields at `at`.
QString loginText(const QByteArray &login, int at) {
  const int offset = qFromLittleEndian<quint16>(login.constData() + at);
  const int length = qFromLittleEndian<quint16>(login.constData() + at + 2);
  if (offset + 2 * length > login.size())
    return {};
  return QString::fromUtf16(
      reinterpret_cast<const char16_t *>(login.constData() + offset), length);
}

} // namespace

TdsTestServer::TdsTestServer(Script script, quint16 port)
    : m_shared(std::make_shared<Shared>()) {
  m_shared->script = std::move(script);
  std::promise<quint16> listening;
  std::future<quint16> chosen = listening.get_future();
  m_acceptor = std::thread(
      [this, port, &listening] { acceptConnections(port, &listening); });
  m_port = chosen.get();
}

TdsTestServer::~TdsTestServer() {
  m_shared->stopping = true;
  m_acceptor.join();
  for (std::thread &connection : m_shared->connections)
    connection.join();
}

QString TdsTestServer::serverSetting() const {
  return QStringLiteral("127.0.0.1,%1").arg(m_port);
}

std::vector<QByteArray> TdsTestServer::batches() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->batches;
}

std::vector<QString> TdsTestServer::logins() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->logins;
}

std::vector<quint32> TdsTestServer::versions() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->versions;
}

void TdsTestServer::acceptConnections(quint16 wanted,
                                      std::promise<quint16> *port) {
  DescriptorServer server;
  if (!server.listen(QHostAddress::LocalHost, wanted)) {
    port->set_value(0);
    return;
  }
  port->set_value(server.serverPort());
  while (!m_shared->stopping) {
    server.waitForNewConnection(PollMs);
    for (const qintptr descriptor : std::exchange(server.accepted, {})) {
      std::lock_guard lock(m_shared->mutex);
      m_shared->connections.emplace_back(
          [this, descriptor] { serve(descriptor); });
    }
  }
}

void TdsTestServer::serve(qintptr descriptor) {
  Shared &shared = *m_shared;
  Connection connection(descriptor, shared.stopping);
  quint32 version = Tds74;
  bool deaf = false;
  while (std::optional<Message> message = connection.read()) {
    if (deaf)
      continue;
    switch (message->type) {
    case PreLogin:
      connection.write(TabularResult, preLoginAnswer());
      break;
    case Login7: {
      const QByteArray &login = message->payload;
      if (login.size() < 94)
        return;
      version = qFromLittleEndian<quint32>(login.constData() + 4);
      const quint32 packetSize =
          qFromLittleEndian<quint32>(login.constData() + 8);
      const QString database = loginText(login, 68);
      {
        std::lock_guard lock(shared.mutex);
        shared.logins.push_back(loginText(login, 40));
        shared.versions.push_back(version);
      }
      TdsTokens tokens(version);
      tokens.loginAcknowledgement(database, packetSize);
      connection.write(TabularResult, tokens.bytes());
      connection.setPacketSize(packetSize);
      break;
    }
    case SqlBatch: {
      // From 7.2 on a batch starts with headers of the given total length.
      qsizetype skip = 0;
      if (version >= Tds72 && message->payload.size() >= 4)
        skip = qFromLittleEndian<quint32>(message->payload.constData());
      const QByteArray text = message->payload.mid(skip);
      {
        std::lock_guard lock(shared.mutex);
        shared.batches.push_back(text);
      }
      const TdsReply reply = shared.script(QString::fromUtf16(
          reinterpret_cast<const char16_t *>(text.constData()),
          text.size() / 2));
      TdsTokens tokens(version);
      switch (reply.kind) {
      case TdsReply::Kind::Silent:
        break;
      case TdsReply::Kind::Deaf:
        deaf = true;
        break;
      case TdsReply::Kind::DropMidResult:
        tokens.columnMetadata(reply.result->columns);
        for (int i = 0; i < reply.rowsBeforeDrop; ++i)
          tokens.row(reply.result->columns, reply.result->rows[i]);
        connection.write(TabularResult, tokens.bytes(), false);
        connection.close();
        return;
      default:
        tokens.reply(reply);
        connection.write(TabularResult, tokens.bytes());
      }
      break;
    }
    case Attention: {
      TdsTokens tokens(version);
      tokens.done(TdsTokens::Done, TdsTokens::DoneAttention);
      connection.write(TabularResult, tokens.bytes());
      break;
    }
    default: { // remote procedure calls, transaction requests: done
      TdsTokens tokens(version);
      tokens.done(TdsTokens::Done, 0);
      connection.write(TabularResult, tokens.bytes());
    }
    }
  }
}
