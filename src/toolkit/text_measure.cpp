#include "toolkit/text_measure.h"

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace frost {

double MeasureText(Label& label, const std::string& name, double size, const std::string& text) {
  FontSpec measuring = label.Font();
  measuring.name = name;
  measuring.size = size;
  label.SetFont(measuring);
  label.SetCaption(text);
  label.ParentForm().App().DoEvents();
  return label.Width();
}

}  // namespace frost
