#pragma once
// One IPv4 UDP endpoint: the window's link to the controller.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace device {

// Any failure of the link: unresolvable name, refused or short send, receive error,
// oversize datagram. The protocol operations catch it; nothing above them sees it.
class LinkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Datagram {
  std::string bytes;        // exactly as received, zero bytes included
  std::string fromAddress;  // dotted IPv4 text of the sender
  std::uint16_t fromPort = 0;
};

// The numeric address rules: "a.b.c.d" with decimal parts (leading zeros are decimal),
// and the short forms "a.b.c", "a.b", "a" whose last part fills the remaining bytes.
// Returns the address in host byte order, or nothing when the text is not numeric.
std::optional<std::uint32_t> ParseNumericIPv4(std::string_view text);

// Resolves a destination the way every send does: "LOCALHOST" in any letter case is
// 127.0.0.1, numeric text is used directly, anything else goes to the system resolver
// (first IPv4 address). Throws LinkError when the name does not resolve.
std::uint32_t ResolveIPv4(const std::string& host);

class UdpLink {
 public:
  static constexpr std::size_t BufferSize = 8192;

  UdpLink();
  ~UdpLink();
  UdpLink(const UdpLink&) = delete;
  UdpLink& operator=(const UdpLink&) = delete;

  // Open creates the endpoint (no explicit bind, broadcast off); close drops it and
  // everything queued on it. Setting the same state again does nothing.
  bool Active() const;
  void SetActive(bool active);

  // Stored only: every exchange names its destination itself.
  const std::string& Host() const { return host_; }
  void SetHost(std::string host) { host_ = std::move(host); }
  std::uint16_t Port() const { return port_; }
  void SetPort(std::uint16_t port) { port_ = port; }

  // Sends exactly these bytes to host:port (address rules above). Opens the link when it
  // is closed. Throws LinkError on any failure.
  void Send(const std::string& host, std::uint16_t port, std::string_view bytes);

  // Waits at most timeoutMs for one datagram. Nothing queued in time: no value.
  // Throws LinkError on a receive error or a datagram longer than BufferSize.
  std::optional<Datagram> Receive(int timeoutMs);

  // Drops every datagram already queued on the endpoint, so a late reply to an earlier
  // request is never taken for the reply to the next one.
  void DropQueued();

  // The local port the system chose (0 while closed or before the first send).
  std::uint16_t LocalPort() const;

 private:
  void Open();
  void Close();

#ifdef _WIN32
  using Socket = std::uintptr_t;
#else
  using Socket = int;
#endif
  Socket socket_;
  bool active_ = false;
  std::string host_;
  std::uint16_t port_ = 0;
};

}  // namespace device
