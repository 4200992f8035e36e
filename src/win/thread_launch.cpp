#include "win/thread_launch.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <system_error>
#include <utility>

namespace wolumetr::win {
namespace {

DWORD WINAPI ThreadStart(void* parameter) {
  const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
  // An exception that left a thread's body would end the whole program; the body has said all
  // it can by then, so the thread simply ends.
  try {
    ReleaseUnusedStack();
    (*body)();
  } catch (...) {
  }
  return 0;
}

}  // namespace

void StartDetachedThread(std::function<void()> body, std::size_t stackReservation) {
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  const DWORD flags = stackReservation != 0 ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0;
  HANDLE thread = CreateThread(nullptr, stackReservation, ThreadStart, owned.get(), flags, nullptr);
  if (thread == nullptr) throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
  owned.release();  // the thread owns it now
  CloseHandle(thread);
}

std::size_t ReleaseUnusedStack(std::size_t keep) {
  volatile char here = 0;
  const auto frame = reinterpret_cast<std::uintptr_t>(&here);
  MEMORY_BASIC_INFORMATION stack{};
  if (VirtualQuery(const_cast<char*>(&here), &stack, sizeof stack) == 0) return 0;
  // Skip the stack's guard pages at its foot: only the committed read-write run above them.
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::uintptr_t foot = reinterpret_cast<std::uintptr_t>(stack.AllocationBase);
  MEMORY_BASIC_INFORMATION run{};
  if (VirtualQuery(reinterpret_cast<void*>(foot + 3 * system.dwPageSize), &run, sizeof run) == 0) return 0;
  if (run.State != MEM_COMMIT || run.Protect != PAGE_READWRITE) return 0;
  const auto from = reinterpret_cast<std::uintptr_t>(run.BaseAddress);
  if (frame < keep) return 0;
  const std::uintptr_t runEnd = from + run.RegionSize;
  std::uintptr_t to = (frame - keep) & ~static_cast<std::uintptr_t>(system.dwPageSize - 1);
  if (to > runEnd) to = runEnd;
  if (to <= from) return 0;
  // The pages' contents are of no interest (nothing lives below the frame); they stay usable.
  if (VirtualAlloc(reinterpret_cast<void*>(from), to - from, MEM_RESET, PAGE_READWRITE) == nullptr) return 0;
  return to - from;
}

}  // namespace wolumetr::win
