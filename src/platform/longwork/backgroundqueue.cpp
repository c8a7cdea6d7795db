#include "platform/longwork/backgroundqueue.h"

BackgroundQueue::~BackgroundQueue() {
  std::thread thread;
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
    thread = std::move(m_thread);
  }
  m_changed.notify_all();
  if (thread.joinable())
    thread.join();
}

void BackgroundQueue::post(std::function<void()> task) {
  {
    const std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
    if (!m_thread.joinable())
      m_thread = std::thread([this] { serve(); });
  }
  m_changed.notify_all();
}

void BackgroundQueue::waitUntilIdle() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_tasks.empty() && !m_busy; });
}

void BackgroundQueue::serve() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return !m_tasks.empty() || m_stopping; });
    if (m_tasks.empty())
      return; // stopping, and nothing left to do
    std::function<void()> task = std::move(m_tasks.front());
    m_tasks.pop_front();
    m_busy = true;
    lock.unlock();
    try {
      task();
    } catch (...) {
    }
    // What the task holds is let go here too, before the queue looks idle.
    task = nullptr;
    lock.lock();
    m_busy = false;
    m_changed.notify_all();
  }
}
