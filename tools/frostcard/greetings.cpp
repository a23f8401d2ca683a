#include "greetings.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "card_folder.h"
#include "personalise/ansi.h"
#include "personalise/greeting_area.h"
#include "toolkit/errors.h"

namespace frost::frostcard {
namespace {

namespace fs = std::filesystem;

using LineChanges = std::map<int, std::string>;

std::optional<LineChanges> ParseChanges(const std::vector<std::string>& args, std::string& error) {
  LineChanges changes;
  for (std::size_t i = 1; i < args.size(); i += 3) {
    if (args[i] != "--set" || i + 2 >= args.size()) {
      error = "expected --set N TEXT";
      return std::nullopt;
    }
    const std::string& number = args[i + 1];
    if (number.size() != 1 || number[0] < '1' || number[0] > '8') {
      error = "line number " + number + " is not 1 to 8";
      return std::nullopt;
    }
    const auto bytes = Utf8ToAnsi(args[i + 2]);
    for (const auto& byte : bytes) {
      if (!byte) {
        error = "line " + number + " has a character the card cannot store";
        return std::nullopt;
      }
    }
    if (bytes.size() > greeting_area::kFieldSize) {
      error = "line " + number + " is longer than 40 characters";
      return std::nullopt;
    }
    changes[number[0] - '0'] = args[i + 2];
  }
  return changes;
}

// The card's own reader fills the greeting boxes; its writer does the rest.
void LoadLines(Form1& form, const TemporaryFolder& folder) {
  form.ProgramFolder = folder.Path().string();
  form.greetingPanel.LayoutGreetingBoxes();
  form.LoadGreetings();
}

int WriteChanges(HeadlessCard& card, const LineChanges& changes, const TemporaryFolder& folder,
                 const std::string& target) {
  for (const auto& [k, text] : changes) card.form.TextGreetings(k).SetText(text);
  try {
    card.form.UpdateCard();
  } catch (const EndProgram&) {
  }
  for (const MessageBoxCall& message : card.platform.message_boxes) {
    std::cerr << "frostcard: " << message.text << "\n";
  }
  if (!card.platform.message_boxes.empty())
    return 1;
  std::error_code copyError;
  fs::copy_file(folder.Path() / "Frost_Mail.exe", target, fs::copy_options::overwrite_existing,
                copyError);
  if (copyError) {
    std::cerr << "frostcard: cannot write " << target << ": " << copyError.message() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int Greetings(const std::vector<std::string>& args) {
  std::string error;
  auto changes = args.empty() ? std::nullopt : ParseChanges(args, error);
  if (!changes) {
    std::cerr << "frostcard: " << (error.empty() ? "missing CARD" : error) << "\n"
              << kGreetingsUsage << "\n";
    return 2;
  }
  TemporaryFolder folder;
  if (!folder.PlaceCard(args[0], error)) {
    std::cerr << "frostcard: " << error << "\n";
    return 1;
  }
  HeadlessCard card(folder, 15, 1);
  LoadLines(card.form, folder);
  if (!changes->empty())
    return WriteChanges(card, *changes, folder, args[0]);
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    std::cout << card.form.TextGreetings(k).Text() << "\n";
  }
  return 0;
}

}  // namespace frost::frostcard
