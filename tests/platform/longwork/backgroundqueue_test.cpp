// The queue of background tasks: one thread, tasks in the order posted, a
// post that never waits, and every task done before the queue is gone.
#include "platform/longwork/backgroundqueue.h"
#include "platform/longwork/backgroundrelease.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(BackgroundQueueTest, TasksRunInOrderOnOneThreadOfTheirOwn) {
  std::vector<int> order; // written only by the queue's thread
  std::set<std::thread::id> threads;
  {
    BackgroundQueue queue;
    for (int i = 0; i < 20; ++i)
      queue.post([&order, &threads, i] {
        order.push_back(i);
        threads.insert(std::this_thread::get_id());
      });
    queue.waitUntilIdle();
    EXPECT_EQ(order.size(), 20u);
  }
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(order[size_t(i)], i);
  ASSERT_EQ(threads.size(), 1u);
  EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST(BackgroundQueueTest, PostingNeverWaitsAndTheQueueWaitsForItsTasks) {
  std::atomic<bool> release{false};
  std::atomic<int> done{0};
  std::thread releaser;
  {
    BackgroundQueue queue;
    const auto started = std::chrono::steady_clock::now();
    queue.post([&] {
      while (!release)
        std::this_thread::sleep_for(1ms);
      ++done;
    });
    queue.post([&] { ++done; });
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    EXPECT_EQ(done, 0);
    releaser = std::thread([&] {
      std::this_thread::sleep_for(50ms);
      release = true;
    });
  }
  EXPECT_EQ(done, 2) << "the queue's end waited for both tasks";
  releaser.join();
}

TEST(BackgroundQueueTest, ATaskThatThrowsDoesNotStopTheOthers) {
  int done = 0;
  BackgroundQueue queue;
  queue.post([] { throw std::runtime_error("failed"); });
  queue.post([&] { ++done; });
  queue.waitUntilIdle();
  EXPECT_EQ(done, 1);
}

TEST(BackgroundRemovalTest, TheFileIsGoneOnceTheRemovalsAreDone) {
  QTemporaryDir folder;
  const QString path = folder.filePath("spilled.tmp");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1 << 20, 'x'));
  }
  removeFileInBackground(path);
  waitForBackgroundRemovals();
  EXPECT_FALSE(QFile::exists(path));
}

} // namespace
