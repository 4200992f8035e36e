#include "win/instance_handover.h"

#include "win/handles.h"

namespace wolumetr::win {
namespace {

constexpr wchar_t kHandOverName[] = L"Local\\Wolumetr.Restart";

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

}  // namespace wolumetr::win
