// Wolumetr: watches the free space of the drives the user picks.
#include <windows.h>

#include "app/main_form.h"
#include "display/system_drive_queries.h"
#include "settings/file_settings_store.h"
#include "win/application.h"
#include "win/error_box.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wolumetr::win::Guarded([] {
    auto& app = wolumetr::win::Application::Instance();
    app.Initialize();
    app.SetTitle(L"Wolumetr");
    wolumetr::win::FileSettingsStore settings;
    wolumetr::win::SystemDriveQueries drives;
    wolumetr::TForm1 form(wolumetr::MainWindowServices{settings, drives, {}});
    app.Run(form);
  });
  return 0;
}
