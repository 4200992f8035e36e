// The Windows Installer package's uninstall action: takes the user's Run value away when it starts
// the copy being removed, by the rule the Options window's "start with the system" box unticks by,
// and with it the user's StartupApproved record of it. A deferred action, run as the user; the
// removed executable's path is its action data, and the file is still there while it runs.
#include <windows.h>

#include <msiquery.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/run_registration.h"
#include "settings/start_with_system.h"
#include "win/text.h"

namespace {

using wolumetr::RunHive;
using wolumetr::RunKey;

// The user's own hive only: a machine-wide value may name %LOCALAPPDATA%, which is each user's own
// copy, and one user's uninstall must not stop the others'.
class UserRunKeys final : public wolumetr::RunKeyRegistry {
 public:
  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override {
    return hive == RunHive::CurrentUser ? system_.Open(hive, forWriting) : nullptr;
  }
  std::unique_ptr<RunKey> OpenApproval(RunHive hive, bool forWriting) override {
    return hive == RunHive::CurrentUser ? system_.OpenApproval(hive, forWriting) : nullptr;
  }
  std::string Expand(const std::string& text) override { return system_.Expand(text); }
  bool SamePath(std::string_view a, std::string_view b) override { return system_.SamePath(a, b); }

 private:
  wolumetr::win::SystemRunKeys system_;
};

// The action data, which a property on the installer's command line can shape: a path at most.
std::wstring ActionData(MSIHANDLE install) {
  constexpr DWORD kLongestPath = 32767;
  wchar_t probe[1] = L"";
  DWORD length = 0;
  if (MsiGetPropertyW(install, L"CustomActionData", probe, &length) != ERROR_MORE_DATA || length == 0 ||
      length > kLongestPath) {
    return {};
  }
  std::wstring data(length + 1, L'\0');  // the length leaves out the terminator
  length = static_cast<DWORD>(data.size());
  if (MsiGetPropertyW(install, L"CustomActionData", data.data(), &length) != ERROR_SUCCESS) return {};
  data.resize(length);
  return data;
}

// The path in its long or its 8.3 form (a Run value may hold either: the short one is what a
// program started by it sees as its own path); empty when the system gives none.
std::wstring PathForm(DWORD(WINAPI* convert)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path) {
  std::wstring form(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = convert(path.c_str(), form.data(), static_cast<DWORD>(form.size()));
    if (length == 0) return {};
    if (length < form.size()) {
      form.resize(length);
      return form;
    }
    form.resize(length);  // the length asked for counts the terminator
  }
  return {};
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ForgetRunValue(MSIHANDLE install) {
  try {
    const std::wstring executable = ActionData(install);
    if (!executable.empty()) {
      std::vector<std::string> paths{wolumetr::win::Narrow(executable)};
      for (const auto convert : {GetLongPathNameW, GetShortPathNameW}) {
        if (const std::wstring form = PathForm(convert, executable); !form.empty()) {
          paths.push_back(wolumetr::win::Narrow(form));
        }
      }
      UserRunKeys keys;
      wolumetr::ForgetRegistration(keys, paths);
    }
  } catch (...) {
    // Nothing to report to: a Run value left behind must not stop the removal.
  }
  return ERROR_SUCCESS;
}
