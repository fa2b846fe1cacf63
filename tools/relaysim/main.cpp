// relaysim: a stand-in for the power controller on UDP, for demos and tests.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// winsock2.h first: the others build on its types.
#include <winsock2.h>

#include <mstcpip.h>
#include <windows.h>
#include <ws2tcpip.h>
#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

#include <atomic>
#include <mutex>
#include <thread>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "device/UdpLink.h"
#include "tools/relaysim/Simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "Usage: relaysim [OPTIONS]\n"
    "Simulates the power controller on UDP: \"VEDOVIZ0\" reads the input byte, \"VEDOVIZ2\"\n"
    "the output byte (both replied in decimal), \"VEDOVIZ1<n>\" sets the outputs to n and\n"
    "replies \"0\". Other datagrams get no reply. Each request and reply is logged on\n"
    "standard error. The first line on standard output is\n"
    "\"relaysim listening on ADDRESS:PORT\".\n"
    "\n"
    "Options:\n"
    "  --bind ADDRESS          local address to listen on (default 127.0.0.1)\n"
    "  --port PORT             UDP port, 0 picks a free one (default 7070)\n"
    "  --outputs MASK          initial output byte (default 0)\n"
    "  --inputs MASK           initial input byte, a clear bit is an active input (default 255)\n"
    "  --silent                answer nothing\n"
    "  --drop FRACTION         leave this fraction of requests unanswered (0 to 1)\n"
    "  --seed N                seed for --drop, so a run can be repeated (default 1)\n"
    "  --delay MS              delay every reply by MS milliseconds\n"
    "  --no-digits             reply \"OK\" instead of the number\n"
    "  --empty                 reply with an empty datagram\n"
    "  --oversize              reply with 9000 bytes\n"
    "  --refuse-writes         writes reply \"1\" and leave the outputs alone\n"
    "  --late-duplicate MS     send each reply a second time MS milliseconds later\n"
    "  --wiggle SECONDS        walk the inputs: every SECONDS the next channel flips\n"
    "  --quiet                 no log on standard error\n"
    "  --help                  this text\n"
    "Only one of --no-digits, --empty and --oversize can be given.\n"
    "MASK is decimal (129), hexadecimal (0x81) or binary (0b10000001), 0 to 255.\n"
    "\n";

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
using PollFd = WSAPOLLFD;

int LastError() {
  return ::WSAGetLastError();
}
bool Interrupted(int err) {
  return err == WSAEINTR;
}
// Nothing queued after all, or an ICMP report about an earlier reply: not worth a log line.
bool Harmless(int err) {
  return err == WSAEINTR || err == WSAEWOULDBLOCK || err == WSAECONNRESET;
}
std::string ErrorText(int err) {
  char* text = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(err), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n > 0 && text != nullptr ? std::string(text, n) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  const std::string code = "socket error " + std::to_string(err);
  return message.empty() ? code : message + " (" + code + ")";
}
int PollSockets(PollFd* fds, unsigned long count, int timeoutMs) {
  return ::WSAPoll(fds, count, timeoutMs);
}
void CloseSocket(Socket s) {
  ::closesocket(s);
}

// Windows has no descriptor for the console that a socket poll could wait on, and no
// signals. A reader thread and the console control handler instead set state here and
// send one byte to a loopback socket that the loop polls next to the network socket.
Socket g_wake = INVALID_SOCKET;
sockaddr_in g_wakeAddress{};
std::atomic<bool> g_stop{false};

struct ConsoleFeed {
  std::mutex mutex;
  std::string text;  // read from standard input, not yet taken by the loop
};

// Never destroyed: at exit the reader may still be blocked in ReadFile.
ConsoleFeed& Feed() {
  static ConsoleFeed* const feed = new ConsoleFeed;
  return *feed;
}

void Wake() {
  const char byte = 1;
  // A full queue already holds a wake-up; nothing else can go wrong on loopback.
  ::sendto(g_wake, &byte, 1, 0, reinterpret_cast<const sockaddr*>(&g_wakeAddress),
           sizeof g_wakeAddress);
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      g_stop = true;
      Wake();
      return TRUE;
    default:
      return FALSE;
  }
}

void ReadStandardInput() {
  const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    const bool ok = in != nullptr && in != INVALID_HANDLE_VALUE &&
                    ::ReadFile(in, buffer, sizeof buffer, &got, nullptr) != 0 && got > 0;
    if (!ok) return;  // no console (end of input or an error); the loop keeps serving
    {
      const std::lock_guard<std::mutex> lock(Feed().mutex);
      Feed().text.append(buffer, got);
    }
    Wake();
  }
}

Socket NewUdpSocket() {
  return ::WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
}

void SetNonBlocking(Socket s) {
  u_long on = 1;
  ::ioctlsocket(s, FIONBIO, &on);
}

[[noreturn]] void SetUpFailed(const std::string& what) {
  std::fprintf(stderr, "relaysim: %s: %s\n", what.c_str(), ErrorText(LastError()).c_str());
  std::exit(1);
}

void SetUpStopAndConsole() {
  WSADATA data;
  if (const int err = ::WSAStartup(MAKEWORD(2, 2), &data); err != 0) {
    std::fprintf(stderr, "relaysim: Winsock start-up: %s\n", ErrorText(err).c_str());
    std::exit(1);
  }
  g_wake = NewUdpSocket();
  if (g_wake == INVALID_SOCKET) SetUpFailed("socket");
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof g_wakeAddress;
  if (::bind(g_wake, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::getsockname(g_wake, reinterpret_cast<sockaddr*>(&g_wakeAddress), &len) != 0) {
    SetUpFailed("wake-up socket on 127.0.0.1");
  }
  SetNonBlocking(g_wake);
  if (!::SetConsoleCtrlHandler(OnConsoleEvent, TRUE)) {
    std::fprintf(stderr, "relaysim: cannot catch Ctrl+C (error %lu)\n", ::GetLastError());
    std::exit(1);
  }
  std::thread(ReadStandardInput).detach();
}
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
using PollFd = pollfd;

int LastError() {
  return errno;
}
bool Interrupted(int err) {
  return err == EINTR;
}
bool Harmless(int err) {
  return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}
std::string ErrorText(int err) {
  return std::strerror(err);
}
int PollSockets(PollFd* fds, nfds_t count, int timeoutMs) {
  return ::poll(fds, count, timeoutMs);
}
void CloseSocket(Socket s) {
  ::close(s);
}

int g_signalPipe[2] = {-1, -1};

extern "C" void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
  errno = saved;
}

void SetUpStopAndConsole() {
  if (::pipe(g_signalPipe) != 0) {
    std::perror("relaysim: pipe");
    std::exit(1);
  }
  for (int fd : g_signalPipe) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
  }
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  ::sigaction(SIGINT, &sa, nullptr);
  ::sigaction(SIGTERM, &sa, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
}
#endif

struct Options {
  std::string bind = "127.0.0.1";
  long port = 7070;
  unsigned long seed = 1;
  bool quiet = false;
};

[[noreturn]] void BadArgs(const std::string& message) {
  std::fprintf(stderr, "relaysim: %s\nTry 'relaysim --help'.\n", message.c_str());
  std::exit(2);
}

struct Pending {
  Clock::time_point due;
  sockaddr_in to;
  std::string bytes;
  bool duplicate;
};

std::string PeerText(const sockaddr_in& a) {
  char text[INET_ADDRSTRLEN] = "?";
  ::inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(a.sin_port));
}

void Parse(int argc, char** argv, Options& opt, relaysim::Simulator& sim) {
  int forms = 0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool hasValue = false;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg.resize(eq);
      hasValue = true;
    }
    auto next = [&]() -> std::string {
      if (hasValue) return value;
      if (i + 1 >= argc) BadArgs(arg + " needs a value");
      return argv[++i];
    };
    auto flag = [&] {
      if (hasValue) BadArgs(arg + " takes no value");
    };
    if (arg == "--help" || arg == "-h") {
      flag();
      std::fputs(kUsage, stdout);
      std::fputs(relaysim::kCommandHelp, stdout);
      std::exit(0);
    } else if (arg == "--bind") {
      opt.bind = next();
    } else if (arg == "--port") {
      const auto v = relaysim::ParseInteger(next(), 0, 65535);
      if (!v) BadArgs("--port must be 0 to 65535");
      opt.port = static_cast<long>(*v);
    } else if (arg == "--outputs" || arg == "--inputs") {
      const auto v = relaysim::ParseMask(next());
      if (!v) BadArgs(arg + " must be a MASK 0 to 255 (129, 0x81 or 0b10000001)");
      (arg == "--outputs" ? sim.outputs : sim.inputs) = *v;
    } else if (arg == "--silent") {
      flag();
      sim.faults.silent = true;
    } else if (arg == "--drop") {
      const auto v = relaysim::ParseNumber(next(), 0.0, 1.0);
      if (!v) BadArgs("--drop must be a fraction 0 to 1");
      sim.faults.drop = *v;
    } else if (arg == "--seed") {
      const auto v = relaysim::ParseInteger(next(), 0, 4294967295LL);
      if (!v) BadArgs("--seed must be a whole number 0 to 4294967295");
      opt.seed = static_cast<unsigned long>(*v);
    } else if (arg == "--delay" || arg == "--late-duplicate") {
      const auto v = relaysim::ParseInteger(next(), 0, 600000);
      if (!v) BadArgs(arg + " must be milliseconds 0 to 600000");
      (arg == "--delay" ? sim.faults.delayMs : sim.faults.lateDuplicateMs) = static_cast<int>(*v);
    } else if (arg == "--no-digits" || arg == "--empty" || arg == "--oversize") {
      flag();
      ++forms;
      sim.faults.form = arg == "--no-digits" ? relaysim::ReplyForm::NoDigits
                        : arg == "--empty"   ? relaysim::ReplyForm::Empty
                                             : relaysim::ReplyForm::Oversize;
    } else if (arg == "--refuse-writes") {
      flag();
      sim.faults.refuseWrites = true;
    } else if (arg == "--wiggle") {
      const auto v = relaysim::ParseNumber(next(), 0.001, 86400.0);
      if (!v) BadArgs("--wiggle must be seconds, more than 0 and at most 86400");
      sim.wiggleSeconds = *v;
    } else if (arg == "--quiet") {
      flag();
      opt.quiet = true;
    } else {
      BadArgs("unknown argument '" + arg + "'");
    }
  }
  if (forms > 1) BadArgs("give only one of --no-digits, --empty and --oversize");
}

Socket OpenSocket(const Options& opt) {
  std::uint32_t address = 0;
  try {
    address = device::ResolveIPv4(opt.bind);
  } catch (const std::exception&) {
    BadArgs("cannot resolve --bind address '" + opt.bind + "'");
  }
#ifdef _WIN32
  const Socket fd = NewUdpSocket();
#else
  const Socket fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#endif
  if (fd == kNoSocket) {
    std::fprintf(stderr, "relaysim: socket: %s\n", ErrorText(LastError()).c_str());
    std::exit(1);
  }
#ifdef _WIN32
  // Otherwise an ICMP "port unreachable" for a reply to a client that has gone fails the
  // next receive.
  BOOL reportReset = FALSE;
  DWORD returned = 0;
  ::WSAIoctl(fd, SIO_UDP_CONNRESET, &reportReset, sizeof reportReset, nullptr, 0, &returned,
             nullptr, nullptr);
  SetNonBlocking(fd);
#endif
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<std::uint16_t>(opt.port));
  local.sin_addr.s_addr = htonl(address);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    std::fprintf(stderr, "relaysim: cannot listen on %s:%ld: %s\n", opt.bind.c_str(), opt.port,
                 ErrorText(LastError()).c_str());
    std::exit(1);
  }
  return fd;
}

class Loop {
 public:
  Loop(relaysim::Simulator& sim, const Options& opt, Socket fd)
      : sim_(sim), quiet_(opt.quiet), fd_(fd), random_(static_cast<std::uint32_t>(opt.seed)) {}

  int Run() {
    nextWiggle_ = Clock::now() + WiggleInterval();
    while (!sim_.quitRequested) {
#ifdef _WIN32
      PollFd fds[2] = {{g_wake, POLLIN, 0}, {fd_, POLLIN, 0}};
      const int ready = PollSockets(fds, 2, Timeout());
#else
      PollFd fds[3] = {
          {g_signalPipe[0], POLLIN, 0}, {fd_, POLLIN, 0}, {stdinOpen_ ? 0 : -1, POLLIN, 0}};
      const int ready = PollSockets(fds, 3, Timeout());
#endif
      if (ready < 0) {
        const int err = LastError();
        if (Interrupted(err)) continue;
        std::fprintf(stderr, "relaysim: poll: %s\n", ErrorText(err).c_str());
        return 1;
      }
#ifdef _WIN32
      if (fds[0].revents != 0) DrainWakeUps();
      if (g_stop) {
#else
      if (fds[0].revents != 0) {
#endif
        Log("stopping on signal");
        return 0;
      }
      if (fds[1].revents != 0) ReadRequest();
#ifdef _WIN32
      TakeConsole();
#else
      if (fds[2].revents != 0) ReadConsole();
#endif
      SendDue();
      Wiggle();
    }
    Log("stopping on quit");
    return 0;
  }

 private:
  Clock::duration WiggleInterval() const {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(sim_.wiggleSeconds > 0 ? sim_.wiggleSeconds : 3600.0));
  }

  int Timeout() const {
    Clock::time_point next = Clock::time_point::max();
    for (const auto& p : pending_) next = std::min(next, p.due);
    if (sim_.wiggleSeconds > 0) next = std::min(next, nextWiggle_);
    if (next == Clock::time_point::max()) return -1;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count() + 1;
    return ms < 0 ? 0 : static_cast<int>(std::min<long long>(ms, 60000));
  }

  void Log(const std::string& line) {
    if (!quiet_) std::fprintf(stderr, "relaysim: %s\n", line.c_str());
  }

  void ReadRequest() {
    char buffer[65536];
    sockaddr_in from{};
#ifdef _WIN32
    int len = sizeof from;
    const int got = ::recvfrom(fd_, buffer, static_cast<int>(sizeof buffer), 0,
                               reinterpret_cast<sockaddr*>(&from), &len);
#else
    socklen_t len = sizeof from;
    const ssize_t got = ::recvfrom(fd_, buffer, sizeof buffer, MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &len);
#endif
    if (got < 0) {
      const int err = LastError();
      if (!Harmless(err)) Log("receive failed: " + ErrorText(err));
      return;
    }
    const std::string_view request(buffer, static_cast<std::size_t>(got));
    Log("request from " + PeerText(from) + " " + relaysim::Printable(request));
    const double roll = static_cast<double>(random_()) / 4294967296.0;
    if (relaysim::Simulator::Classify(request) == relaysim::Simulator::Kind::Unknown) {
      Log("no reply: unknown request");
      return;
    }
    if (sim_.faults.silent) {
      Log("no reply: silent");
      return;
    }
    if (roll < sim_.faults.drop) {
      Log("no reply: dropped");
      return;
    }
    auto reply = sim_.Answer(request);
    if (!reply) return;
    const auto now = Clock::now();
    pending_.push_back({now + std::chrono::milliseconds(sim_.faults.delayMs), from, *reply, false});
    if (sim_.faults.lateDuplicateMs > 0) {
      pending_.push_back(
          {now + std::chrono::milliseconds(sim_.faults.delayMs + sim_.faults.lateDuplicateMs), from,
           std::move(*reply), true});
    }
  }

  void SendDue() {
    const auto now = Clock::now();
    // Replies leave in the order they were made, each when its time has come.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.due < b.due; });
    while (!pending_.empty() && pending_.front().due <= now) {
      const Pending p = std::move(pending_.front());
      pending_.pop_front();
      std::ptrdiff_t sent;
      int err = 0;
      do {
#ifdef _WIN32
        sent = ::sendto(fd_, p.bytes.data(), static_cast<int>(p.bytes.size()), 0,
                        reinterpret_cast<const sockaddr*>(&p.to), sizeof p.to);
#else
        sent = ::sendto(fd_, p.bytes.data(), p.bytes.size(), 0,
                        reinterpret_cast<const sockaddr*>(&p.to), sizeof p.to);
#endif
        if (sent < 0) err = LastError();
      } while (sent < 0 && Interrupted(err));
      if (sent < 0) {
        Log("reply to " + PeerText(p.to) + " failed: " + ErrorText(err));
      } else {
        Log(std::string(p.duplicate ? "late duplicate to " : "reply to ") + PeerText(p.to) + " " +
            relaysim::Printable(p.bytes));
      }
    }
  }

  void Wiggle() {
    if (sim_.wiggleSeconds <= 0) return;
    const auto now = Clock::now();
    if (now < nextWiggle_) return;
    sim_.WiggleStep();
    nextWiggle_ = now + WiggleInterval();
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(sim_.inputs));
    Log(std::string("inputs now ") + text);
  }

#ifdef _WIN32
  void DrainWakeUps() {
    char buffer[64];
    while (::recv(g_wake, buffer, sizeof buffer, 0) >= 0) {
    }
  }

  void TakeConsole() {
    {
      const std::lock_guard<std::mutex> lock(Feed().mutex);
      if (Feed().text.empty()) return;
      console_ += Feed().text;
      Feed().text.clear();
    }
    HandleConsoleLines();
  }
#else
  void ReadConsole() {
    char buffer[4096];
    ssize_t got;
    do {
      got = ::read(0, buffer, sizeof buffer);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
      stdinOpen_ = false;  // no console (EOF); keep serving the network
      return;
    }
    console_.append(buffer, static_cast<std::size_t>(got));
    HandleConsoleLines();
  }
#endif

  void HandleConsoleLines() {
    std::size_t end;
    while ((end = console_.find('\n')) != std::string::npos) {
      std::string line = console_.substr(0, end);
      console_.erase(0, end + 1);
#ifdef _WIN32
      if (!line.empty() && line.back() == '\r') line.pop_back();  // console lines end in CR LF
#endif
      if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
      const double wiggleBefore = sim_.wiggleSeconds;
      const std::string answer = sim_.Command(line);
      if (sim_.wiggleSeconds != wiggleBefore) nextWiggle_ = Clock::now() + WiggleInterval();
      std::printf("%s\n", answer.c_str());
      std::fflush(stdout);
      Log("command " + relaysim::Printable(line) + ": " + answer.substr(0, answer.find(' ')));
    }
    if (console_.size() > 65536) console_.clear();
  }

  relaysim::Simulator& sim_;
  bool quiet_;
  Socket fd_;
  std::mt19937 random_;
  std::deque<Pending> pending_;
  Clock::time_point nextWiggle_;
#ifndef _WIN32
  bool stdinOpen_ = true;
#endif
  std::string console_;
};

}  // namespace

int main(int argc, char** argv) {
  relaysim::Simulator sim;
  Options opt;
  Parse(argc, argv, opt, sim);

  SetUpStopAndConsole();

  const Socket fd = OpenSocket(opt);
  sockaddr_in local{};
  socklen_t len = sizeof local;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len);
  std::printf("relaysim listening on %s\n", PeerText(local).c_str());
  std::fflush(stdout);

  Loop loop(sim, opt, fd);
  const int rc = loop.Run();
  CloseSocket(fd);
  return rc;
}
