// The Drive selection window.
#include "app/main_form.h"

namespace wolumetr {

void TForm1::Ustawdyski1Click() {}

void TForm1::RunStartupDriveSelection() {}

}  // namespace wolumetr
