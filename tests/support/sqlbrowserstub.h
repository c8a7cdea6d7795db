#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <atomic>
#include <thread>

// A SQL Server Browser on a UDP port of 127.0.0.1 that gives every question
// the same answer, or none when the answer is empty. It serves on a thread
// of its own from construction to destruction, polling, so destruction ends
// within a fraction of a second.
class SqlBrowserStub {
public:
  // Binds `port` (0: a free one); bound() tells whether that worked.
  explicit SqlBrowserStub(QByteArray answer, quint16 port = 0);
  ~SqlBrowserStub();
  SqlBrowserStub(const SqlBrowserStub &) = delete;
  SqlBrowserStub &operator=(const SqlBrowserStub &) = delete;

  bool bound() const { return m_port != 0; }
  quint16 port() const { return m_port; }
  int questions() const { return m_questions; }

  // The browser's answer carrying `text` ("key;value;...;;").
  static QByteArray answer(const QByteArray &text);
  // The browser's answer naming `instance` at TCP `tcpPort`.
  static QByteArray answerFor(const QByteArray &instance, quint16 tcpPort);

private:
  QByteArray m_answer;
  quint16 m_port = 0;
  std::atomic<int> m_questions{0};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};
