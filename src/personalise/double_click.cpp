#include "startup/form1.h"

namespace frost {

// A double-click anywhere on the card closes it, whatever the menu strip shows.
void Form1::Picture1_DblClick() {
  ImageClose_Click();
}

}  // namespace frost
