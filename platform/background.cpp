#include "platform/background.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <chrono>
#include <exception>

#include "platform/events.h"

namespace platform {

namespace {

// One worker: pictures are decoded one after another, which bounds the memory they take.
QThreadPool*& PoolPointer() {
  static QThreadPool* pool = nullptr;
  return pool;
}

// No decode may still run while the application object and the program's statics are
// torn down: what has not begun is dropped, what runs is waited for.
void StopPicturePool() {
  if (QThreadPool* pool = PoolPointer()) {
    pool->clear();
    pool->waitForDone();
  }
}

QThreadPool& PicturePool() {
  if (!PoolPointer()) {
    auto* p = new QThreadPool;
    p->setMaxThreadCount(1);
    p->setExpiryTimeout(-1);
    PoolPointer() = p;
    qAddPostRoutine(StopPicturePool);
  }
  return *PoolPointer();
}

}  // namespace

bool BackgroundJob::IsFinished() const {
  std::lock_guard lock(mutex_);
  return done_;
}

void BackgroundJob::WaitProcessingEvents() {
  while (!IsFinished()) {
    DoEvents();
    std::unique_lock lock(mutex_);
    finished_.wait_for(lock, std::chrono::milliseconds(20), [this] { return done_; });
  }
}

void BackgroundJob::WaitBlocking() {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [this] { return done_; });
}

void BackgroundJob::Finish() {
  {
    std::lock_guard lock(mutex_);
    done_ = true;
  }
  finished_.notify_all();
}

std::shared_ptr<BackgroundJob> StartBackgroundJob(std::function<void(const BackgroundJob&)> work) {
  auto job = std::make_shared<BackgroundJob>();
  PicturePool().start([job, work = std::move(work)] {
    try {
      if (!job->Cancelled()) work(*job);
    } catch (const std::exception& e) {
      // The work keeps its own errors for its caller; nothing may leave the worker.
      qWarning("background job failed: %s", e.what());
    } catch (...) {
      qWarning("background job failed");
    }
    job->Finish();
  });
  return job;
}

}  // namespace platform
