#pragma once
#include <functional>
#include <string>

namespace frost {

// Tells the user of a failure, in a message box with the card's caption and one OK button.
using Report = std::function<void(const std::string& text)>;

}  // namespace frost
