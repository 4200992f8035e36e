// The stack canaries' guard value and what happens when a check fails. Defined here so that
// the compiler's support library is not linked: it seeds the guard through the CryptoAPI,
// which under Wine loads a TLS library and its dependencies at every start.
#include <windows.h>

#include <ntsecapi.h>

#include <cstdint>

extern "C" {

// Checked by every protected function; set before any of them runs (below). The starting
// value only matters should a protected function run earlier still.
void* __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x2B992DDFA23249D6ull));

// A smashed stack or an overflowing checked copy: the process ends at once, running no
// handler that the damage may have redirected, with the code Windows uses for the same.
[[noreturn]] void __stack_chk_fail() {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
  __builtin_unreachable();
}

[[noreturn]] void __chk_fail() { __stack_chk_fail(); }

}  // extern "C"

namespace {

// Runs before every other constructor; unprotected itself, since it changes the guard that a
// protected frame would check on return.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard() {
  std::uint64_t seed = 0;
  if (!RtlGenRandom(&seed, sizeof seed) || seed == 0) {
    // What a guard is seeded from without a random source: clock, counter, ids, an address.
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    seed = static_cast<std::uint64_t>(counter.QuadPart) ^ (std::uint64_t{now.dwHighDateTime} << 32) ^
           now.dwLowDateTime ^ (std::uint64_t{GetCurrentProcessId()} << 40) ^
           (std::uint64_t{GetCurrentThreadId()} << 16) ^ reinterpret_cast<std::uintptr_t>(&seed);
    seed |= 1;  // never zero
  }
  __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(seed));
}

}  // namespace
