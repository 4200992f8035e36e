#include "settings/start_with_system.h"

#include <algorithm>

#include "common/ascii.h"

namespace wolumetr {
namespace {

constexpr RunHive kHives[] = {RunHive::LocalMachine, RunHive::CurrentUser};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Windows takes '/' for a folder separator as well.
std::string WithBackslashes(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

// A command names the executable when the program it starts is that path: quoted or not, with
// or without arguments (after a closing quote they need no blank), '/' taken for a backslash,
// letters compared by samePath. Environment strings must already be expanded.
bool CommandNamesExecutable(const std::string& command, const std::string& executablePath,
                            const PathComparison& samePath) {
  if (executablePath.empty()) return false;
  const std::string ours = WithBackslashes(executablePath);
  std::string_view rest(command);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  if (!rest.empty() && rest.front() == '"') {
    // The program ends at the closing quote; whatever follows is its arguments.
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos) return false;  // Windows would not start such a command
    return samePath(WithBackslashes(rest.substr(1, close - 1)), ours);
  }
  // Unquoted, the path may hold blanks itself: it names us when our path ends at a blank or at the
  // end. Each candidate is compared whole, since a letter in another case may take up to three
  // times the bytes in UTF-8; a longer one cannot be ours (and a value full of blanks costs little).
  std::size_t end = 0;
  do {
    end = std::min(rest.find_first_of(" \t", end + 1), rest.size());
    if (end > 3 * ours.size()) return false;
    if (samePath(WithBackslashes(rest.substr(0, end)), ours)) return true;
  } while (end < rest.size());
  return false;
}

bool Names(RunKeyRegistry& registry, const RunValue& value, const std::string& executablePath) {
  return value.exists && value.isString &&
         CommandNamesExecutable(
             registry.Expand(value.data), executablePath,
             [&registry](std::string_view a, std::string_view b) { return registry.SamePath(a, b); });
}

bool Disabled(RunKeyRegistry& registry, RunHive hive) {
  auto approval = registry.OpenApproval(hive, false);
  return approval && DisabledByApproval(approval->Read(kRunValueName));
}

// A disabled entry is switched on again by taking its approval value away: Windows starts an
// entry that has none.
bool Enable(RunKeyRegistry& registry, RunHive hive) {
  if (!Disabled(registry, hive)) return true;
  auto approval = registry.OpenApproval(hive, true);
  return approval && approval->Remove(kRunValueName);
}

// Letter-for-letter the safe form already, or at least a quoted one: nothing to rewrite.
bool NeedsRewrite(RunKeyRegistry& registry, const RunValue& value, const std::string& executablePath) {
  if (!Names(registry, value, executablePath)) return true;
  const bool quoted = !value.data.empty() && value.data.front() == '"';
  return !quoted && executablePath.find(' ') != std::string::npos;
}

// The machine's entry of ours still starts the program after this: it could not be removed.
bool MachineEntryStays(RunKeyRegistry& registry, const std::string& executablePath) {
  auto machine = registry.Open(RunHive::LocalMachine, false);
  if (!machine || !Names(registry, machine->Read(kRunValueName), executablePath)) return false;
  if (auto writable = registry.Open(RunHive::LocalMachine, true)) {
    if (writable->Remove(kRunValueName)) return false;
  }
  return !Disabled(registry, RunHive::LocalMachine);
}

bool Register(RunKeyRegistry& registry, const std::string& executablePath) {
  // A second entry beside a machine one that stays would start the program twice.
  if (MachineEntryStays(registry, executablePath)) return true;
  auto user = registry.Open(RunHive::CurrentUser, true);
  if (!user) return false;
  if (NeedsRewrite(registry, user->Read(kRunValueName), executablePath) &&
      !user->Write(kRunValueName, RunCommandFor(executablePath))) {
    throw FailedToSetData(kRunValueName);
  }
  return Enable(registry, RunHive::CurrentUser);
}

bool Unregister(RunKeyRegistry& registry, const std::string& executablePath) {
  bool done = true;
  for (RunHive hive : kHives) {
    auto readable = registry.Open(hive, false);
    if (!readable || !Names(registry, readable->Read(kRunValueName), executablePath)) continue;
    auto key = registry.Open(hive, true);
    if ((!key || !key->Remove(kRunValueName)) && !Disabled(registry, hive)) done = false;
  }
  return done;
}

// An approval record is kept by the Run value's name alone: with no value of that name left, it
// would switch the next one off.
void ForgetApproval(RunKeyRegistry& registry, RunHive hive) {
  auto run = registry.Open(hive, false);
  if (run && run->Read(kRunValueName).exists) return;
  if (auto approval = registry.OpenApproval(hive, true)) approval->Remove(kRunValueName);
}

}  // namespace

bool RunKeyRegistry::SamePath(std::string_view a, std::string_view b) { return EqualIgnoringAsciiCase(a, b); }

RegistryError FailedToSetData(const std::string& valueName) {
  return RegistryError("Failed to set data for '" + valueName + "'");
}

RegistryError InvalidDataType(const std::string& valueName) {
  return RegistryError("Invalid data type for '" + valueName + "'");
}

std::string RunCommandFor(const std::string& executablePath) {
  if (executablePath.find(' ') == std::string::npos) return executablePath;
  return '"' + executablePath + '"';
}

bool DisabledByApproval(const RunValue& approval) {
  return approval.exists && !approval.isString && !approval.data.empty() &&
         (static_cast<unsigned char>(approval.data.front()) & 1u) != 0;
}

RegistrationState ReadRegistration(RunKeyRegistry& registry, const std::string& executablePath) {
  RegistrationState state;
  for (RunHive hive : kHives) {
    auto key = registry.Open(hive, false);
    if (!key) continue;
    const RunValue value = key->Read(kRunValueName);
    if (value.exists && !value.isString) state.invalidType = true;
    if (Names(registry, value, executablePath) && !Disabled(registry, hive)) state.registered = true;
  }
  return state;
}

bool ApplyRegistration(RunKeyRegistry& registry, const std::string& executablePath, bool startWithSystem) {
  return startWithSystem ? Register(registry, executablePath) : Unregister(registry, executablePath);
}

void ForgetRegistration(RunKeyRegistry& registry, const std::vector<std::string>& executablePaths) {
  for (const std::string& path : executablePaths) Unregister(registry, path);
  for (RunHive hive : kHives) ForgetApproval(registry, hive);
}

}  // namespace wolumetr
