#include "platform/longwork/backgroundrelease.h"

#include "platform/longwork/backgroundqueue.h"

#include <QFile>

namespace {

BackgroundQueue &removals() {
  static BackgroundQueue queue;
  return queue;
}

} // namespace

void removeFileInBackground(const QString &path) {
  removals().post([path] { QFile::remove(path); });
}

void waitForBackgroundRemovals() { removals().waitUntilIdle(); }
