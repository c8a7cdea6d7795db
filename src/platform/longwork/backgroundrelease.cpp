#include "platform/longwork/backgroundrelease.h"

#include <mutex>
#include <thread>
#include <vector>

namespace {

class Releases {
public:
  ~Releases() {
    const std::lock_guard lock(m_mutex);
    for (std::thread &thread : m_threads)
      thread.join();
  }

  void add(std::unique_ptr<QObject> object) {
    const std::lock_guard lock(m_mutex);
    m_threads.emplace_back(
        [object = std::move(object)]() mutable { object.reset(); });
  }

private:
  std::mutex m_mutex;
  std::vector<std::thread> m_threads;
};

Releases &releases() {
  static Releases instance;
  return instance;
}

} // namespace

void releaseInBackground(std::unique_ptr<QObject> object) {
  releases().add(std::move(object));
}
