#pragma once

namespace frost {

class Form1;

// The two pairs of image buttons that share the menu strip's two places.
enum class StripButtons { Normal, Editor };  // "Customize" and "Exit"; "Update Card" and "Cancel"

// Shows one pair and hides the other.
void ShowStripButtons(Form1& form, StripButtons pair);

}  // namespace frost
