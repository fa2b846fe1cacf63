#include "device/UdpLink.h"

#include <chrono>
#include <cstring>
#include <string>

#ifdef _WIN32
// winsock2.h first: the other two build on its types.
#include <winsock2.h>

#include <mstcpip.h>
#include <ws2tcpip.h>
#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace device {

namespace {

#ifdef _WIN32
using NativeSocket = std::uintptr_t;
constexpr NativeSocket kNoSocket = static_cast<std::uintptr_t>(INVALID_SOCKET);

// Winsock needs one start-up per process before the first socket call.
void EnsureWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) throw LinkError("Winsock start-up failed");
}

int LastError() {
  return WSAGetLastError();
}
bool Interrupted(int err) {
  return err == WSAEINTR;
}
bool WouldBlock(int err) {
  return err == WSAEWOULDBLOCK;
}
bool Truncated(int err) {
  return err == WSAEMSGSIZE;
}
int PollSockets(WSAPOLLFD* fds, unsigned long count, int timeoutMs) {
  return WSAPoll(fds, count, timeoutMs);
}
using PollFd = WSAPOLLFD;
std::string ErrorText(int err) {
  return "socket error " + std::to_string(err);
}
#else
using NativeSocket = int;
constexpr NativeSocket kNoSocket = -1;

void EnsureWinsock() {}
int LastError() {
  return errno;
}
bool Interrupted(int err) {
  return err == EINTR;
}
bool WouldBlock(int err) {
  return err == EAGAIN || err == EWOULDBLOCK;
}
int PollSockets(pollfd* fds, nfds_t count, int timeoutMs) {
  return ::poll(fds, count, timeoutMs);
}
using PollFd = pollfd;
std::string ErrorText(int err) {
  return std::strerror(err);
}
#endif

void CloseSocket(NativeSocket s) {
#ifdef _WIN32
  ::closesocket(static_cast<SOCKET>(s));
#else
  // A close interrupted by a signal has still released the descriptor on Linux; retrying
  // could close a descriptor another part of the program has just been given.
  ::close(s);
#endif
}

// Reads one unsigned decimal part; leading zeros are plain decimal digits.
std::optional<std::uint64_t> ParsePart(std::string_view part) {
  if (part.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return value;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string DottedText(const in_addr& addr) {
  const std::uint32_t host = ntohl(addr.s_addr);
  return std::to_string(host >> 24) + "." + std::to_string((host >> 16) & 0xFF) + "." +
         std::to_string((host >> 8) & 0xFF) + "." + std::to_string(host & 0xFF);
}

}  // namespace

std::optional<std::uint32_t> ParseNumericIPv4(std::string_view text) {
  std::uint64_t parts[4];
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = text.find('.', start);
    const std::string_view piece =
        text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
    if (count == 4) return std::nullopt;
    const auto value = ParsePart(piece);
    if (!value) return std::nullopt;
    parts[count++] = *value;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  // Every part but the last is one byte; the last fills the bytes that remain.
  const std::uint64_t lastLimit[] = {0xFFFFFFFFull, 0xFFFFFFull, 0xFFFFull, 0xFFull};
  std::uint64_t address = 0;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (parts[i] > 0xFF) return std::nullopt;
    address |= parts[i] << (24 - 8 * i);
  }
  if (parts[count - 1] > lastLimit[count - 1]) return std::nullopt;
  address |= parts[count - 1];
  return static_cast<std::uint32_t>(address);
}

std::uint32_t ResolveIPv4(const std::string& host) {
  if (EqualsNoCase(host, "LOCALHOST")) return 0x7F000001u;
  if (const auto numeric = ParseNumericIPv4(host)) return *numeric;
  // A name with a zero byte would be cut short by the resolver and name another host.
  if (host.empty() || host.find('\0') != std::string::npos) {
    throw LinkError("cannot resolve host name");
  }
  EnsureWinsock();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_protocol = IPPROTO_UDP;
  addrinfo* found = nullptr;
  const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (rc != 0 || found == nullptr) {
    if (found != nullptr) ::freeaddrinfo(found);
    throw LinkError("cannot resolve host name: " + host);
  }
  std::uint32_t address = 0;
  bool have = false;
  for (const addrinfo* it = found; it != nullptr; it = it->ai_next) {
    if (it->ai_family == AF_INET && it->ai_addr != nullptr &&
        it->ai_addrlen >= static_cast<socklen_t>(sizeof(sockaddr_in))) {
      sockaddr_in sin;
      std::memcpy(&sin, it->ai_addr, sizeof sin);
      address = ntohl(sin.sin_addr.s_addr);
      have = true;
      break;
    }
  }
  ::freeaddrinfo(found);
  if (!have) throw LinkError("no IPv4 address for host name: " + host);
  return address;
}

UdpLink::UdpLink() : socket_(kNoSocket) {}

UdpLink::~UdpLink() {
  Close();
}

bool UdpLink::Active() const {
  return active_;
}

void UdpLink::SetActive(bool active) {
  if (active == active_) return;
  if (active) {
    Open();
  } else {
    Close();
  }
}

void UdpLink::Open() {
  EnsureWinsock();
#ifdef _WIN32
  const SOCKET s =
      ::WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
  if (s == INVALID_SOCKET) throw LinkError("cannot create socket: " + ErrorText(LastError()));
  // Without this, an ICMP "port unreachable" for an earlier send fails the next receive;
  // a missing controller should read as "no reply", the same as on other systems.
  BOOL reportReset = FALSE;
  DWORD returned = 0;
  ::WSAIoctl(s, SIO_UDP_CONNRESET, &reportReset, sizeof reportReset, nullptr, 0, &returned, nullptr,
             nullptr);
  const NativeSocket handle = static_cast<NativeSocket>(s);
#else
#ifdef SOCK_CLOEXEC
  const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#else
  const int handle = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (handle >= 0) ::fcntl(handle, F_SETFD, FD_CLOEXEC);
#endif
  if (handle < 0) throw LinkError("cannot create socket: " + ErrorText(LastError()));
#endif
  // Broadcast stays off: a send to a broadcast address is refused by the system.
#ifdef _WIN32
  BOOL broadcast = FALSE;
#else
  int broadcast = 0;
#endif
  if (::setsockopt(handle, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&broadcast),
                   sizeof broadcast) != 0) {
    const int err = LastError();
    CloseSocket(handle);
    throw LinkError("cannot switch broadcast off: " + ErrorText(err));
  }
  socket_ = handle;
  active_ = true;
}

void UdpLink::Close() {
  if (socket_ != kNoSocket) CloseSocket(socket_);
  socket_ = kNoSocket;
  active_ = false;
}

void UdpLink::Send(const std::string& host, std::uint16_t port, std::string_view bytes) {
  // Opened first, so that a failed lookup still leaves the link open like any other failure.
  if (!active_) Open();
  const std::uint32_t address = ResolveIPv4(host);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  while (true) {
#ifdef _WIN32
    const int sent =
        ::sendto(static_cast<SOCKET>(socket_), bytes.data(), static_cast<int>(bytes.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
#else
    const ssize_t sent = ::sendto(socket_, bytes.data(), bytes.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
#endif
    if (sent < 0) {
      const int err = LastError();
      if (Interrupted(err)) continue;
      throw LinkError("send refused: " + ErrorText(err));
    }
    if (static_cast<std::size_t>(sent) != bytes.size()) throw LinkError("short send");
    return;
  }
}

std::optional<Datagram> UdpLink::Receive(int timeoutMs) {
  if (!active_) Open();
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    PollFd pfd{};
#ifdef _WIN32
    pfd.fd = static_cast<SOCKET>(socket_);
#else
    pfd.fd = socket_;
#endif
    pfd.events = POLLIN;
    const int ready = PollSockets(&pfd, 1, left > 0 ? static_cast<int>(left) : 0);
    if (ready < 0) {
      const int err = LastError();
      if (Interrupted(err)) continue;
      throw LinkError("wait for reply failed: " + ErrorText(err));
    }
    if (ready == 0) return std::nullopt;
    if ((pfd.revents & POLLNVAL) != 0) throw LinkError("wait for reply failed: socket not open");

    // One byte more than the buffer would be a cut datagram; the system reports it.
    char buffer[BufferSize];
    sockaddr_in from{};
#ifdef _WIN32
    int fromLen = sizeof from;
    const int got = ::recvfrom(static_cast<SOCKET>(socket_), buffer, static_cast<int>(BufferSize),
                               0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    bool cut = false;
    if (got < 0) {
      const int err = LastError();
      if (Interrupted(err) || WouldBlock(err)) continue;
      if (Truncated(err)) throw LinkError("reply longer than the receive buffer");
      throw LinkError("receive failed: " + ErrorText(err));
    }
#else
    iovec iov{buffer, BufferSize};
    msghdr msg{};
    msg.msg_name = &from;
    msg.msg_namelen = sizeof from;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    const ssize_t got = ::recvmsg(socket_, &msg, MSG_DONTWAIT);
    if (got < 0) {
      const int err = LastError();
      if (Interrupted(err) || WouldBlock(err)) continue;
      throw LinkError("receive failed: " + ErrorText(err));
    }
    const bool cut = (msg.msg_flags & MSG_TRUNC) != 0;
#endif
    if (cut) throw LinkError("reply longer than the receive buffer");
    Datagram d;
    d.bytes.assign(buffer, static_cast<std::size_t>(got));
    d.fromAddress = DottedText(from.sin_addr);
    d.fromPort = ntohs(from.sin_port);
    return d;
  }
}

void UdpLink::DropQueued() {
  if (!active_) return;
  // Bounded, so a peer that floods the port cannot hold the exchange here for ever.
  for (int dropped = 0; dropped < 4096; ++dropped) {
    char buffer[BufferSize];
#ifdef _WIN32
    PollFd pfd{};
    pfd.fd = static_cast<SOCKET>(socket_);
    pfd.events = POLLIN;
    if (PollSockets(&pfd, 1, 0) <= 0) return;
    const int got = ::recv(static_cast<SOCKET>(socket_), buffer, static_cast<int>(BufferSize), 0);
    if (got < 0) {
      const int err = LastError();
      if (Interrupted(err) || Truncated(err)) continue;
      return;
    }
#else
    const ssize_t got = ::recv(socket_, buffer, BufferSize, MSG_DONTWAIT);
    if (got < 0) {
      const int err = LastError();
      if (Interrupted(err)) continue;
      return;  // nothing left (EAGAIN), or an error the next receive will report
    }
#endif
  }
}

std::uint16_t UdpLink::LocalPort() const {
  if (!active_) return 0;
  sockaddr_in local{};
  socklen_t len = sizeof local;
#ifdef _WIN32
  if (::getsockname(static_cast<SOCKET>(socket_), reinterpret_cast<sockaddr*>(&local), &len) != 0)
    return 0;
#else
  if (::getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &len) != 0) return 0;
#endif
  return ntohs(local.sin_port);
}

}  // namespace device
