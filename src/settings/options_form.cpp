// The Options window.
#include "app/main_form.h"

namespace wolumetr {

void TForm1::Opcje1Click() {}

}  // namespace wolumetr
