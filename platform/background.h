#pragma once
// Work done on a worker thread while the user-interface thread goes on processing window
// events: the decoding and fitting of the show's pictures. The work must not touch
// windows or shared show state; it hands its result back through what it captured.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace platform {

class BackgroundJob {
 public:
  bool IsFinished() const;
  // Waits for the job as the program's loops wait: while it is not finished, pending
  // window events run, then the thread waits at most 20 ms for it, and again.
  void WaitProcessingEvents();
  // Waits without processing events (for callers that must not let handlers run).
  void WaitBlocking();
  // Asks the work to stop early; it sees this through Cancelled().
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }

 private:
  friend std::shared_ptr<BackgroundJob> StartBackgroundJob(
      std::function<void(const BackgroundJob&)> work);
  void Finish();

  mutable std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  std::atomic<bool> cancelled_{false};
};

// Runs `work` on the pictures' worker thread. Jobs run one at a time, in the order they
// were started, so at most one picture is being decoded at any moment.
std::shared_ptr<BackgroundJob> StartBackgroundJob(std::function<void(const BackgroundJob&)> work);

}  // namespace platform
