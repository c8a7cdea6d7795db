#include "support/sqlbrowserstub.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <future>

SqlBrowserStub::SqlBrowserStub(QByteArray answer, quint16 port)
    : m_answer(std::move(answer)) {
  std::promise<quint16> boundPort;
  std::future<quint16> bound = boundPort.get_future();
  m_thread = std::thread([this, port, &boundPort] {
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, port)) {
      boundPort.set_value(0);
      return;
    }
    boundPort.set_value(socket.localPort());
    while (!m_stop) {
      if (!socket.waitForReadyRead(50))
        continue;
      while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram question = socket.receiveDatagram();
        ++m_questions;
        if (!m_answer.isEmpty())
          socket.writeDatagram(question.makeReply(m_answer));
      }
    }
  });
  m_port = bound.get();
}

SqlBrowserStub::~SqlBrowserStub() {
  m_stop = true;
  m_thread.join();
}

QByteArray SqlBrowserStub::answer(const QByteArray &text) {
  QByteArray answer("\x05", 1);
  answer.append(char(text.size() & 0xFF));
  answer.append(char(text.size() >> 8));
  return answer + text;
}

QByteArray SqlBrowserStub::answerFor(const QByteArray &instance,
                                     quint16 tcpPort) {
  return answer("ServerName;TESTHOST;InstanceName;" + instance +
                ";IsClustered;No;Version;16.0.1000.6;tcp;" +
                QByteArray::number(tcpPort) + ";;");
}
