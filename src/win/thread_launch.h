#pragma once
// Threads the program starts and never joins: the drive worker, the Drive selection window's
// gatherer and the shell's open call. Each owns what it touches and ends on its own.
#include <cstddef>
#include <functional>

namespace wolumetr::win {

// Room for the disk-space and volume-name questions; the shell's calls keep the program's default.
inline constexpr std::size_t kSmallThreadStack = 64 * 1024;

// Runs `body` on a new thread with `stackReservation` bytes of address space for its stack (0: the
// program's default). Throws std::system_error when no thread can be made, as std::thread does.
void StartDetachedThread(std::function<void()> body, std::size_t stackReservation = 0);

// Gives back the pages of the calling thread's stack below `keep` bytes under the current frame
// when the system committed them up front (Wine does, about 1 MiB a thread). Where stack pages
// are committed only as touched, as on Windows, there is nothing to give back. Returns the bytes
// given back.
std::size_t ReleaseUnusedStack(std::size_t keep = 16 * 1024);

}  // namespace wolumetr::win
