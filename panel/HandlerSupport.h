#pragma once
// Small pieces the window's handlers share.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace panel {

// A window operation's guard: whatever goes wrong inside is dropped and the operation
// fails with its own fixed message instead, so the user sees which operation failed.
template <typename Body>
auto Guarded(const char* message, Body&& body) -> decltype(body()) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    throw std::runtime_error(message);
  }
}

// A spinner value in seconds as a timer interval: value x 1000 in 32 bits. A negative
// value comes out as a huge unsigned interval, which in practice never elapses.
inline std::uint32_t SecondsToInterval(std::int16_t seconds) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(seconds) * 1000);
}

}  // namespace panel
