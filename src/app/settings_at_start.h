#pragma once
// The one reading of the settings file at start-up, before any window exists.
#include <string>

#include "settings/startup_snapshot.h"
#include "win/system_seam.h"

namespace wolumetr {

inline constexpr wchar_t kUnreadableSettingsText[] =
    L"Nie można odczytać pliku ustawień:\r\n%s\r\n\r\n"
    L"Plik jest otwarty przez inny program albo nie ma do niego dostępu.\r\n"
    L"Ponów, aby spróbować jeszcze raz, albo Anuluj, aby zakończyć program bez zmieniania ustawień.";

// Reads the settings file at `path` into `snapshot`. A file that exists but cannot be read is
// never taken for a first run: the user is asked to retry or give up, in a box under the program's
// `title`. False when given up; the program then ends without touching the file.
bool ReadSettingsAtStart(StartupSnapshot& snapshot, const std::string& path, win::SystemSeam& system,
                         const std::wstring& title);

}  // namespace wolumetr
