#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>

// The largest gap between two ticks of a 16 ms timer on this thread: the
// longest time the thread stayed away from its event loop.
class GapProbe {
public:
  GapProbe() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      m_longest = std::max(m_longest, m_sinceTick.restart());
    });
    m_timer.setTimerType(Qt::PreciseTimer);
  }
  void start() {
    m_longest = 0;
    m_sinceTick.start();
    m_timer.start(16);
  }
  // Lets one more tick in, so a blocking call is measured too.
  qint64 stop() {
    QTest::qWait(40);
    m_timer.stop();
    return m_longest;
  }

private:
  QTimer m_timer;
  QElapsedTimer m_sinceTick;
  qint64 m_longest = 0;
};
