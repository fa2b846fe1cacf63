#pragma once
// A controller on 127.0.0.x:7070, answered by a thread of its own (the window blocks its
// thread while it waits for a reply). Reads answer with the current bytes, a write sets
// the output byte and is acknowledged with "0".

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace uitest {

class LoopbackController {
 public:
  explicit LoopbackController(const std::string& address);
  ~LoopbackController();
  LoopbackController(const LoopbackController&) = delete;
  LoopbackController& operator=(const LoopbackController&) = delete;

  bool Bound() const { return fd_ >= 0; }
  std::vector<std::string> Requests() const;
  void SetInputByte(int value) { input_ = value; }
  int OutputByte() const { return output_; }

 private:
  void Run();

  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<int> input_{255};
  std::atomic<int> output_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace uitest
