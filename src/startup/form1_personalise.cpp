// The menu strip, the greeting editor and "SavePic": each handler hands over to the object that
// owns the behaviour.
#include "startup/form1.h"

namespace frost {

void Form1::Picture1_Click() {
  menuStrip.ShowMenu();
}
void Form1::Label2_Click() {
  menuStrip.OpenAbout();
}

void Form1::ImageEdit_Click() {
  greetingEditor.OpenEditor();
}
void Form1::ImageEditCancel_Click() {
  greetingEditor.CancelEditor();
}
void Form1::ImageEditSave_Click() {
  greetingEditor.SaveEditor();
}
void Form1::TextGreetings_Change(int index) {
  greetingEditor.LineChanged(index);
}

void Form1::Command20_Click() {
  snapshots.SaveSnapshot();
}

}  // namespace frost
