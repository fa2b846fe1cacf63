#pragma once
// A controller on a loopback socket, run by a thread, that answers each request with the
// next scripted step. Tests use it where relaysim cannot produce the reply they need.

#include <netinet/in.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace devicetest {

struct Step {
  std::string reply;
  bool answer = true;            // false: the request goes unanswered
  int delayMs = 0;               // wait before answering
  bool fromOtherSocket = false;  // answer from a second socket (another sender port)
};

inline Step Reply(std::string bytes) {
  return Step{std::move(bytes)};
}
inline Step NoReply() {
  return Step{"", false};
}
inline Step Late(std::string bytes, int ms) {
  return Step{std::move(bytes), true, ms};
}

// A plain bound loopback UDP socket.
class LoopbackSocket {
 public:
  LoopbackSocket();
  ~LoopbackSocket();
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;
  int fd() const { return fd_; }
  std::uint16_t port() const { return port_; }
  void SendTo(std::uint16_t port, const std::string& bytes) const;

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

class ScriptedController {
 public:
  explicit ScriptedController(std::vector<Step> steps = {});
  ~ScriptedController();

  std::uint16_t port() const { return socket_.port(); }
  void Add(Step step);
  // The requests received so far, exactly as they came.
  std::vector<std::string> Requests() const;
  // Waits (bounded) until n requests have come.
  bool WaitForRequests(std::size_t n, int timeoutMs = 2000) const;

 private:
  void Run();

  LoopbackSocket socket_;
  LoopbackSocket other_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<Step> steps_;
  std::vector<std::string> requests_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace devicetest
