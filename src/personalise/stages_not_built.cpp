// Personalisation, menu strip and snapshot handlers that are not built yet. The load step and
// the window's events call them by name; until they land they do nothing.
#include "startup/form1.h"

namespace frost {

void Form1::Command20_Click() {}

}  // namespace frost
