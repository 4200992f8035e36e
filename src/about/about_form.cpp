// The About window.
#include "app/main_form.h"

namespace wolumetr {

void TForm1::Oprogramie1Click() {}

}  // namespace wolumetr
