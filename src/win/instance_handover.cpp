#include "win/instance_handover.h"

#include <tlhelp32.h>

#include <string_view>

#include "win/handles.h"

namespace wolumetr::win {
namespace {

constexpr wchar_t kHandOverName[] = L"Local\\Wolumetr.Restart";

// The same text, whatever the case of its letters.
bool SameText(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The executable of a process as a path in the Win32 form, the same for every process asked.
std::wstring ImagePath(HANDLE process) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    auto size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process, 0, path.data(), &size) != FALSE) {
      path.resize(size);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    path.assign(32768, L'\0');
  }
  return {};
}

}  // namespace

bool StartSuccessor(const std::wstring& exe) {
  SetLastError(ERROR_SUCCESS);
  KernelHandle handOver(CreateMutexW(nullptr, TRUE, kHandOverName));
  // Another restart still in flight owns it: this one then starts without holding it.
  if (handOver && GetLastError() == ERROR_ALREADY_EXISTS) handOver.reset();
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    if (handOver) ReleaseMutex(handOver.get());
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Owned until this process ends; the system releases it then.
  static_cast<void>(handOver.release());
  return true;
}

void WaitForPredecessor(DWORD milliseconds) {
  const KernelHandle handOver(OpenMutexW(SYNCHRONIZE, FALSE, kHandOverName));
  if (!handOver) return;
  const DWORD waited = WaitForSingleObject(handOver.get(), milliseconds);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ReleaseMutex(handOver.get());
}

bool StartedByRestart(const wchar_t* arguments) {
  std::wstring_view rest = arguments != nullptr ? arguments : L"";
  while (!rest.empty() && (rest.front() == L' ' || rest.front() == L'\t')) rest.remove_prefix(1);
  while (!rest.empty() && (rest.back() == L' ' || rest.back() == L'\t')) rest.remove_suffix(1);
  return SameText(rest, kRestartedSwitch);
}

bool OtherCopyRunning() {
  const std::wstring own = ImagePath(GetCurrentProcess());
  const DWORD self = GetCurrentProcessId();
  DWORD session = 0;
  if (own.empty() || ProcessIdToSessionId(self, &session) == FALSE) return false;
  const KernelHandle snapshot = OwnFileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more != FALSE;
       more = Process32NextW(snapshot.get(), &entry)) {
    DWORD theirs = 0;
    if (entry.th32ProcessID == self || ProcessIdToSessionId(entry.th32ProcessID, &theirs) == FALSE ||
        theirs != session) {
      continue;
    }
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (process && SameText(ImagePath(process.get()), own)) return true;
  }
  return false;
}

}  // namespace wolumetr::win
