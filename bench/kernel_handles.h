#pragma once
// How many kernel handles this process holds.
//
// Windows answers GetProcessHandleCount. Wine's answers 0 (so does its ProcessHandleCount
// query), but its system-wide handle list (NtQuerySystemInformation, SystemHandleInformation)
// is filled from the server's handle tables: there the handles are counted by their owner.
#include <string>

namespace wolumetr::bench {

// -1 when the count cannot be had.
long CountKernelHandles();
// One line on how the counting is done here.
std::string KernelHandleCountingMethod();

}  // namespace wolumetr::bench
