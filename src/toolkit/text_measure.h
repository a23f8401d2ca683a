#pragma once
#include <string>

namespace frost {

class Label;

// The width in twips that `text` takes in the font `name` at `size` points (the label's other
// font attributes kept), measured with a hidden auto-sizing label. The label takes its new size
// in a yield, so events (the show's ticks among them) may run before the width is known.
double MeasureText(Label& label, const std::string& name, double size, const std::string& text);

}  // namespace frost
