#include "settings/run_registration.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "win/handles.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

class SystemRunKey final : public RunKey {
 public:
  explicit SystemRunKey(RegKey key) : key_(std::move(key)) {}

  RunValue Read(const std::string& name) override {
    RunValue value;
    DWORD type = 0;
    std::string bytes;
    if (!ReadRaw(Widen(name), type, bytes)) return value;  // absent, or unreadable: the same to the caller
    value.exists = true;
    value.isString = type == REG_SZ || type == REG_EXPAND_SZ;
    if (!value.isString) {
      if (type == REG_BINARY) value.data = std::move(bytes);
      return value;
    }
    // Any program of the user may write the value: an odd byte count or a missing terminator is
    // read as far as it makes whole characters, up to the first NUL.
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    value.data = Narrow(text);
    return value;
  }

  bool Write(const std::string& name, const std::string& data) override {
    const std::wstring wideData = Widen(data);
    const auto bytes = static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wideData.c_str()),
                          bytes) == ERROR_SUCCESS;
  }

  bool Remove(const std::string& name) override {
    const LSTATUS status = RegDeleteValueW(key_.get(), Widen(name).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }

 private:
  // No command line or approval record comes near this; a larger value names nothing of ours and is
  // read as empty rather than copied whole.
  static constexpr DWORD kMostValueBytes = 1u << 17;

  // The value's type and bytes. A value that another program resizes between the two calls is
  // asked again, a few times at most.
  bool ReadRaw(const std::wstring& name, DWORD& type, std::string& bytes) {
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD size = 0;
      if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
      if (size > kMostValueBytes) {
        bytes.clear();
        return true;
      }
      bytes.assign(size, '\0');
      const LSTATUS status =
          RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
      if (status == ERROR_SUCCESS) {
        bytes.resize(std::min<DWORD>(size, static_cast<DWORD>(bytes.size())));
        return true;
      }
      if (status != ERROR_MORE_DATA) return false;
    }
    return false;
  }

  RegKey key_;
};

HKEY Root(RunHive hive) { return hive == RunHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

REGSAM Access(bool forWriting) { return forWriting ? KEY_QUERY_VALUE | KEY_SET_VALUE : KEY_QUERY_VALUE; }

// The key as it is, or created when `create` and missing.
std::unique_ptr<RunKey> OpenKey(RunHive hive, const char* path, bool forWriting, bool create = false) {
  HKEY key = nullptr;
  const std::wstring wide = Widen(path);
  const LSTATUS status = create ? RegCreateKeyExW(Root(hive), wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                  Access(forWriting), nullptr, &key, nullptr)
                                : RegOpenKeyExW(Root(hive), wide.c_str(), 0, Access(forWriting), &key);
  if (status != ERROR_SUCCESS) return nullptr;
  return std::make_unique<SystemRunKey>(RegKey(key));
}

}  // namespace

std::unique_ptr<RunKey> SystemRunKeys::Open(RunHive hive, bool forWriting) {
  return OpenKey(hive, kRunKeyPath, forWriting, hive == RunHive::CurrentUser && forWriting);
}

std::unique_ptr<RunKey> SystemRunKeys::OpenApproval(RunHive hive, bool forWriting) {
  return OpenKey(hive, kStartupApprovedKeyPath, forWriting);
}

std::string SystemRunKeys::Expand(const std::string& text) {
  const std::wstring wide = Widen(text);
  const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);  // the count includes the terminator
  return Narrow(expanded);
}

bool SystemRunKeys::SamePath(std::string_view a, std::string_view b) {
  const std::wstring wideA = Widen(a);
  const std::wstring wideB = Widen(b);
  constexpr std::size_t kLongest = 32767;  // no path is longer, and the lengths must fit an int
  if (wideA.size() > kLongest || wideB.size() > kLongest) return false;
  return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace wolumetr::win
