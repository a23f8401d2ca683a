#pragma once
#include <ctime>
#include <string>

namespace frost {

// The file name of a snapshot taken at `when` (local time):
// "Christmas" mm-dd-yy "@" hh-mm-ss ".bmp", every part two digits, the hour from 00 to 23.
std::string SnapshotFileName(const std::tm& when);

}  // namespace frost
