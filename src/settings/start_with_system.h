#pragma once
// Starting with the system: one string value under the current user's Run key. The machine's
// key is never written: the program's folder must be writable for its settings, so a machine-wide
// entry would let anyone who can write that folder run code at every user's logon.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wolumetr {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Wolumetr";
// Explorer's record of the Run entries the user switched off (Task Manager, Settings): a binary
// value per entry, named like it, whose first byte is odd while the entry is disabled.
inline constexpr const char* kStartupApprovedKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// "Failed to set data for '<name>'", "Invalid data type for '<name>'".
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
RegistryError FailedToSetData(const std::string& valueName);
RegistryError InvalidDataType(const std::string& valueName);

enum class RunHive { LocalMachine, CurrentUser };

struct RunValue {
  bool exists = false;
  bool isString = false;  // a value of another type cannot start anything
  std::string data;       // strings as UTF-8, binary values as their bytes
};

// The Run key of one hive, opened for one operation and closed when released.
class RunKey {
 public:
  virtual ~RunKey() = default;
  virtual RunValue Read(const std::string& name) = 0;
  virtual bool Write(const std::string& name, const std::string& data) = 0;  // false: refused
  virtual bool Remove(const std::string& name) = 0;  // true also when there was nothing to remove
};

class RunKeyRegistry {
 public:
  virtual ~RunKeyRegistry() = default;
  // nullptr when the key cannot be opened that way (missing, or no right to it).
  virtual std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) = 0;
  // The hive's StartupApproved key, never created; nullptr as above.
  virtual std::unique_ptr<RunKey> OpenApproval(RunHive, bool /*forWriting*/) { return nullptr; }
  // Environment strings expanded as at logon (%ProgramFiles% and the like).
  virtual std::string Expand(const std::string& text) { return text; }
  // Whether two paths are one, letter case aside. Here ASCII letters only; the system's registry
  // folds every letter as Windows does in file names.
  virtual bool SamePath(std::string_view a, std::string_view b);
};

using PathComparison = std::function<bool(std::string_view, std::string_view)>;

// What the Run value holds for an executable: its path, in double quotes when it holds a blank,
// so that Windows cannot take a shorter path for the program to start.
std::string RunCommandFor(const std::string& executablePath);

// An approval value whose first byte is odd: Windows skips the entry at logon.
bool DisabledByApproval(const RunValue& approval);

struct RegistrationState {
  bool registered = false;   // some hive starts this executable, and the entry is not switched off
  bool invalidType = false;  // a value of ours holds no string
};
RegistrationState ReadRegistration(RunKeyRegistry& registry, const std::string& executablePath);

// Puts this executable in the user's Run key and switches a disabled entry on again; an entry of
// the machine's that names it is moved there when the machine's key may be written, and else
// left to do the job. Unticked, takes out only the values that name this executable, from both
// hives. Returns false when, for lack of rights, the program would not start (or stop starting)
// as asked. Throws FailedToSetData when an opened key refuses the value.
bool ApplyRegistration(RunKeyRegistry& registry, const std::string& executablePath, bool startWithSystem);

// The uninstall's clean-up: takes out the values that name the executable by any of its paths
// (long and short), and the approval record of a hive whose Run key is then left without a value
// of that name; while another copy's value stays, its switch stays with it.
void ForgetRegistration(RunKeyRegistry& registry, const std::vector<std::string>& executablePaths);

}  // namespace wolumetr
