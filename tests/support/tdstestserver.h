#pragma once

#include "support/tdsreply.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A loopback server speaking enough of the TDS protocol for FreeTDS:
// pre-login, login acknowledgement, SQL batches answered as the script
// says, and the cancel (attention) handshake. It listens on a free port of
// 127.0.0.1 (or the port given, for a server started again where an earlier
// one was) from construction to destruction; each connection is served on
// a thread of its own, and every wait polls so that destruction ends within
// a fraction of a second whatever the clients do.
class TdsTestServer {
public:
  // Decides the answer to each SQL batch from its text. Statements the
  // script does not know (the driver's own "set ..." and the like) are best
  // answered with a plain TdsReply{}.
  using Script = std::function<TdsReply(const QString &sql)>;

  explicit TdsTestServer(Script script, quint16 port = 0);
  ~TdsTestServer();
  TdsTestServer(const TdsTestServer &) = delete;
  TdsTestServer &operator=(const TdsTestServer &) = delete;

  // "127.0.0.1,<port>": the server setting that reaches it.
  QString serverSetting() const;
  // The port it listens on; 0 when the port given was taken.
  quint16 port() const { return m_port; }

  // Every SQL batch received, as the UTF-16LE bytes of its text.
  std::vector<QByteArray> batches() const;
  // The login names and protocol versions of the logins, in order.
  std::vector<QString> logins() const;
  std::vector<quint32> versions() const;

private:
  void acceptConnections(quint16 wanted, std::promise<quint16> *port);
  void serve(qintptr descriptor);
  struct Shared;
  std::shared_ptr<Shared> m_shared;
  quint16 m_port = 0;
  std::thread m_acceptor;
};
