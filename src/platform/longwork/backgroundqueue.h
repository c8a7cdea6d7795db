#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Tasks run in the order they were posted on one thread of the queue's
// own, started with the first task. Destroying the queue waits for every
// task posted, then joins the thread: no task outlives its queue, and the
// queue never has more than one thread.
class BackgroundQueue {
public:
  BackgroundQueue() = default;
  ~BackgroundQueue();
  BackgroundQueue(const BackgroundQueue &) = delete;
  BackgroundQueue &operator=(const BackgroundQueue &) = delete;

  // Never blocks: the task waits its turn on the queue's thread. What the
  // task throws is dropped.
  void post(std::function<void()> task);
  // Returns once every task posted so far has ended.
  void waitUntilIdle();

private:
  void serve();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::function<void()>> m_tasks; // guarded
  bool m_busy = false;                       // guarded: a task runs
  bool m_stopping = false;                   // guarded
  std::thread m_thread;                      // guarded until started
};
