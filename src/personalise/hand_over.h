#pragma once
#include <string>

#include "personalise/card_files.h"
#include "personalise/report.h"
#include "platform/os_services.h"
#include "toolkit/application.h"

namespace frost {

// The file hand-over between the card and its personalised copy: two processes that pass the
// program file names between them by polling the file system. Every copy is written whole
// before it takes a card's name, so the folder always holds at least one complete card.
class HandOver {
 public:
  HandOver(Application& app, OsServices& os, const CardFiles& files, Report report)
      : app_(app), os_(os), files_(files), report_(std::move(report)) {}

  // Run as "Frost_Mail.exe": put this personalised copy in place of the card, start it and end,
  // without showing a window.
  void CopyBackHandOver();
  // Any other run: remove the copy a hand-over leaves behind, or finish an interrupted
  // hand-over with the sender's newer card (this card then ends).
  void RemoveLeftoverCopy();
  // Releases the single-instance guard, then starts `path`: the started card must not find the
  // guard still held by this ending process. Raises RuntimeError when it cannot be started.
  void StartNextCard(const std::string& path);

  // How long the hand-over and leftover loops keep retrying a file that will not go.
  double TimeLimit = 30;

 private:
  bool WaitUntilGone(const std::string& path);
  bool CopyUntilComplete(const std::string& from, const std::string& to, std::string& failure);

  Application& app_;
  OsServices& os_;
  const CardFiles& files_;
  Report report_;
};

}  // namespace frost
