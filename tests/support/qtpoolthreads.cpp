#include "support/qtpoolthreads.h"

#if defined(__SANITIZE_THREAD__)

#include <QSemaphore>
#include <QThreadPool>

extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

namespace {

// Runs `step` once on each thread of Qt's global pool: each run holds its
// thread until all have started, so no thread takes two.
void onEachPoolThread(void (*step)()) {
  QThreadPool &pool = *QThreadPool::globalInstance();
  const int count = pool.maxThreadCount();
  // Kept past the return: the pool's threads may still be leaving them.
  static QSemaphore started, released;
  for (int i = 0; i < count; ++i)
    pool.start([step] {
      step();
      started.release();
      released.acquire();
    });
  started.acquire(count);
  // Not waitForDone(): it would end the pool's threads.
  released.release(count);
}

} // namespace

QtPoolThreadsUnchecked::QtPoolThreadsUnchecked() {
  // The threads marked now must be the only ones the pool ever has: they
  // are all started now and never expire.
  QThreadPool::globalInstance()->setExpiryTimeout(-1);
  onEachPoolThread(__tsan_ignore_thread_begin);
}

QtPoolThreadsUnchecked::~QtPoolThreadsUnchecked() {
  // A thread may not end unchecked, and the pool's end their lives when the
  // program does. What this thread hands them meanwhile, inside Qt, goes
  // unchecked too: they check their side of it again.
  __tsan_ignore_thread_begin();
  onEachPoolThread(__tsan_ignore_thread_end);
  __tsan_ignore_thread_end();
}

#else

QtPoolThreadsUnchecked::QtPoolThreadsUnchecked() = default;
QtPoolThreadsUnchecked::~QtPoolThreadsUnchecked() = default;

#endif
