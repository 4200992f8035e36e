#pragma once
// Starting with the system: one string value under the Run key, machine-wide when the user may
// write there, else for the current user.
#include <memory>
#include <stdexcept>
#include <string>

namespace wolumetr {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Wolumetr";

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
  std::string data;       // UTF-8; only for strings
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
};

// What the Run value holds for an executable: its path, in double quotes when it holds a blank,
// so that Windows cannot take a shorter path for the program to start.
std::string RunCommandFor(const std::string& executablePath);

// A value names the executable when it is its path, quoted or not, letter for letter.
bool NamesExecutable(const RunValue& value, const std::string& executablePath);

struct RegistrationState {
  bool registered = false;   // some hive starts this executable
  bool invalidType = false;  // a value of ours holds no string
};
RegistrationState ReadRegistration(RunKeyRegistry& registry, const std::string& executablePath);

// Puts this executable in the Run key (one place only: the machine's key when it may be
// written, else the user's) or takes the value out of both. Returns false when, for lack of
// rights, the program would not start as asked. Throws FailedToSetData when an opened key
// refuses the value.
bool ApplyRegistration(RunKeyRegistry& registry, const std::string& executablePath, bool startWithSystem);

}  // namespace wolumetr
