#include "settings/file_settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "settings/leftover_files.h"
#include "win/handles.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

// Another process has the file open: worth a short wait. A replacement refused while someone
// reads the file comes as access denied too.
bool IsSharingError(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }
bool IsBusyTarget(DWORD error) { return IsSharingError(error) || error == ERROR_ACCESS_DENIED; }

bool WriteAll(SaveFileCalls& calls, HANDLE file, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
    DWORD written = 0;
    if (!calls.Write(file, content.data() + done, chunk, written) || written == 0) return false;
    done += written;
  }
  return calls.Flush(file);
}

std::int64_t FileTimeTicks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

struct FindDeleter {
  void operator()(HANDLE find) const noexcept { FindClose(find); }
};

// A process id that is in use: its process may be saving right now (a reused id only keeps a
// leftover a while longer).
bool ProcessRunning(std::uint32_t id) {
  const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // someone else's: running
  DWORD code = 0;
  return GetExitCodeProcess(process.get(), &code) && code == STILL_ACTIVE;
}

// A save killed between writing its temporary file and the rename leaves that file behind;
// the next save takes it away. Nothing here may fail the save itself.
void SweepLeftovers(SaveFileCalls& calls, const std::wstring& target) {
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  const std::string name = Narrow(target.substr(folder.size()));
  WIN32_FIND_DATAW found{};
  const HANDLE first =
      FindFirstFileExW((target + L".~*.tmp").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (first == INVALID_HANDLE_VALUE) return;
  const std::unique_ptr<void, FindDeleter> find(first);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  do {
    const std::int64_t ageSeconds = (FileTimeTicks(now) - FileTimeTicks(found.ftLastWriteTime)) / 10'000'000;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsLeftoverTemporary(Narrow(found.cFileName), name, ageSeconds, ProcessRunning)) {
      calls.Delete(folder + found.cFileName);
    }
  } while (FindNextFileW(find.get(), &found));
}

// The temporary file's handle is closed through the calls that opened it.
struct CloseThrough {
  SaveFileCalls* calls;
  void operator()(HANDLE file) const { calls->Close(file); }
};

}  // namespace

HANDLE SaveFileCalls::CreateTemporary(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool SaveFileCalls::Write(HANDLE file, const char* data, DWORD size, DWORD& written) {
  return WriteFile(file, data, size, &written, nullptr) != FALSE;
}

bool SaveFileCalls::Flush(HANDLE file) { return FlushFileBuffers(file) != FALSE; }

void SaveFileCalls::Close(HANDLE file) { CloseHandle(file); }

DWORD SaveFileCalls::Move(const std::wstring& from, const std::wstring& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return ERROR_SUCCESS;
  return GetLastError();
}

void SaveFileCalls::Delete(const std::wstring& path) { DeleteFileW(path.c_str()); }

SaveFileCalls& SaveFileCalls::Real() {
  static SaveFileCalls real;
  return real;
}

std::optional<std::string> FileSettingsStore::Load(const std::string& path) {
  const std::wstring wide = Widen(path);
  KernelHandle file;
  // Another instance may be replacing the file this very moment: retry briefly. Access denied
  // (a folder of that name, no permission) does not pass with waiting.
  for (int attempt = 0; attempt < 20 && !file; ++attempt) {
    file = OwnFileHandle(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) break;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    if (!IsSharingError(error)) throw SettingsReadError(path);
    Sleep(25);
  }
  if (!file) throw SettingsReadError(path);
  LARGE_INTEGER size{};
  // Settings are small. A file too large to be ours is not read at all (and so never
  // rewritten): reading only its start and saving would cut the rest away.
  constexpr LONGLONG kLimit = 16LL << 20;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLimit) throw SettingsReadError(path);
  std::string content(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
    if (!ReadFile(file.get(), content.data() + done, chunk, &read, nullptr)) throw SettingsReadError(path);
    if (read == 0) break;
    done += read;
  }
  content.resize(done);
  return content;
}

void FileSettingsStore::Replace(const std::string& path, const std::string& content) {
  const std::wstring target = Widen(path);
  const std::wstring temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  SweepLeftovers(calls_, target);
  {
    const HANDLE created = calls_.CreateTemporary(temp);
    if (created == INVALID_HANDLE_VALUE) throw SettingsWriteError(path);
    std::unique_ptr<void, CloseThrough> file(created, CloseThrough{&calls_});
    if (!WriteAll(calls_, file.get(), content)) {
      file.reset();
      calls_.Delete(temp);
      throw SettingsWriteError(path);
    }
  }
  for (int attempt = 0;; ++attempt) {
    const DWORD error = calls_.Move(temp, target);
    if (error == ERROR_SUCCESS) return;
    if (attempt >= 20 || !IsBusyTarget(error)) break;
    Sleep(25);  // someone is reading the file right now
  }
  calls_.Delete(temp);
  throw SettingsWriteError(path);
}

}  // namespace wolumetr::win
