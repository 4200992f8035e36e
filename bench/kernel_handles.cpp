#include "kernel_handles.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "gui_objects.h"

namespace wolumetr::bench {
namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);

// An entry of that list as Wine lays it out on 64-bit.
struct HandleEntry {
  ULONG owner;
  BYTE type;
  BYTE flags;
  USHORT value;
  void* object;
  ACCESS_MASK access;
};

using QuerySystemCall = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

QuerySystemCall QuerySystem() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  FARPROC proc = ntdll != nullptr ? GetProcAddress(ntdll, "NtQuerySystemInformation") : nullptr;
  QuerySystemCall call = nullptr;
  static_assert(sizeof call == sizeof proc);
  if (proc != nullptr) std::memcpy(&call, &proc, sizeof call);
  return call;
}

long CountInSystemList() {
  static const QuerySystemCall query = QuerySystem();
  if (query == nullptr) return -1;
  std::vector<unsigned char> buffer(1 << 16);
  LONG status = 0;
  for (int attempt = 0; attempt < 16; ++attempt) {
    ULONG needed = 0;
    status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != kInfoLengthMismatch) break;
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  ULONG count = 0;
  std::memcpy(&count, buffer.data(), sizeof count);
  const size_t first = alignof(HandleEntry) > sizeof(ULONG) ? alignof(HandleEntry) : sizeof(ULONG);
  if (first + size_t{count} * sizeof(HandleEntry) > buffer.size()) return -1;
  const ULONG self = GetCurrentProcessId();
  long mine = 0;
  for (ULONG n = 0; n < count; ++n) {
    HandleEntry entry;
    std::memcpy(&entry, buffer.data() + first + n * sizeof(HandleEntry), sizeof entry);
    if (entry.owner == self) ++mine;
  }
  return mine;
}

}  // namespace

long CountKernelHandles() {
  if (RunningOnWine()) return CountInSystemList();
  DWORD count = 0;
  return GetProcessHandleCount(GetCurrentProcess(), &count) ? static_cast<long>(count) : -1;
}

std::string KernelHandleCountingMethod() {
  if (RunningOnWine()) return "Wine: kernel handles counted by owner in NtQuerySystemInformation's handle list";
  return "GetProcessHandleCount";
}

}  // namespace wolumetr::bench
