#include "settings/run_registration.h"

#include <windows.h>

#include <vector>

#include "win/handles.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

class SystemRunKey final : public RunKey {
 public:
  explicit SystemRunKey(RegKey key) : key_(std::move(key)) {}

  RunValue Read(const std::string& name) override {
    const std::wstring wideName = Widen(name);
    RunValue value;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return value;  // absent, or unreadable: the same to the caller
    value.exists = true;
    value.isString = type == REG_SZ || type == REG_EXPAND_SZ;
    if (!value.isString) return value;
    std::vector<wchar_t> buffer;
    do {
      buffer.assign(size / sizeof(wchar_t) + 1, L'\0');  // room for a missing terminator
      size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
      status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &size);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS) {
      value.exists = false;
      return value;
    }
    std::wstring data(buffer.data(), size / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0') data.pop_back();
    value.data = Narrow(data);
    return value;
  }

  bool Write(const std::string& name, const std::string& data) override {
    const std::wstring wideData = Widen(data);
    const auto bytes = static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wideData.c_str()), bytes) == ERROR_SUCCESS;
  }

  bool Remove(const std::string& name) override {
    const LSTATUS status = RegDeleteValueW(key_.get(), Widen(name).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }

 private:
  RegKey key_;
};

}  // namespace

std::unique_ptr<RunKey> SystemRunKeys::Open(RunHive hive, bool forWriting) {
  const std::wstring path = Widen(kRunKeyPath);
  const REGSAM access = forWriting ? KEY_QUERY_VALUE | KEY_SET_VALUE : KEY_QUERY_VALUE;
  HKEY key = nullptr;
  LSTATUS status;
  if (hive == RunHive::CurrentUser && forWriting) {
    status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                             nullptr, &key, nullptr);
  } else {
    status = RegOpenKeyExW(hive == RunHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, path.c_str(), 0,
                           access, &key);
  }
  if (status != ERROR_SUCCESS) return nullptr;
  return std::make_unique<SystemRunKey>(RegKey(key));
}

}  // namespace wolumetr::win
