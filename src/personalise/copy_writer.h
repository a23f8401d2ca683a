#pragma once
#include <exception>
#include <functional>

#include "personalise/card_files.h"
#include "personalise/greetings_store.h"
#include "personalise/hand_over.h"
#include "personalise/report.h"
#include "platform/os_services.h"
#include "toolkit/application.h"

namespace frost {

// "Update Card": the card's program file copied under the personalised name with the greeting
// lines written into the copy's data area, and the copy started so that it puts itself back
// under the card's own name.
class CopyWriter {
 public:
  struct Parts {
    const CardFiles& files;
    GreetingsStore& greetings;
    HandOver& handOver;
    std::function<void()> stopMusic;
    Report report;
  };
  CopyWriter(Application& app, OsServices& os, Parts parts)
      : app_(app), os_(os), parts_(std::move(parts)) {}

  // Ends the program once the copy is started; otherwise one message, and the card stays open
  // with the lines as typed.
  void UpdateCard();

 private:
  void ReportStopped(const std::string& what, const std::exception& failure);

  Application& app_;
  OsServices& os_;
  Parts parts_;
};

}  // namespace frost
