#pragma once
#include <ctime>
#include <string>

#include "personalise/card_files.h"
#include "personalise/report.h"
#include "platform/os_services.h"
#include "toolkit/picture_box.h"

namespace frost {

// The file name of a snapshot taken at `when` (local time):
// "Christmas" mm-dd-yy "@" hh-mm-ss ".bmp", every part two digits, the hour from 00 to 23.
std::string SnapshotFileName(const std::tm& when);

// "SavePic": the card's persistent image saved as a bitmap next to the program file.
class Snapshots {
 public:
  Snapshots(OsServices& os, const PictureBox& surface, const CardFiles& files, Report report)
      : os_(os), surface_(surface), files_(files), report_(std::move(report)) {}

  // Two snapshots within one second share a name; the later replaces the earlier.
  void SaveSnapshot();

 private:
  OsServices& os_;
  const PictureBox& surface_;
  const CardFiles& files_;
  Report report_;
};

}  // namespace frost
