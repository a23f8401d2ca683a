#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/card_fixture.h"
#include "support/temp_folder.h"
#include "toolkit/errors.h"

namespace frost::testing {

using Bytes = std::vector<std::uint8_t>;

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The card running as "Frostmail.exe" in a fresh temporary folder, its greeting boxes laid out
// and its window shown (focus goes only to shown controls).
class PersonaliseTest : public ::testing::Test {
 protected:
  explicit PersonaliseTest(double twipsPerPixel = 15) : card(twipsPerPixel) {
    form.cardFiles.ProgramFolder = folder.Path().string();
    card.platform.os.SetProgramPath(folder.File("Frostmail.exe"));
    form.greetingPanel.LayoutGreetingBoxes();
    form.SetVisible(true);
  }

  void SetLines(const std::vector<std::string>& lines) {
    for (int k = 1; k <= 8; ++k) form.TextGreetings(k).SetText(lines.at(k - 1));
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int k = 1; k <= 8; ++k) lines.push_back(form.TextGreetings(k).Text());
    return lines;
  }
  // Runs `handler`; true when it ended the program.
  template <class Handler>
  static bool Ends(Handler&& handler) {
    try {
      handler();
    } catch (const EndProgram&) {
      return true;
    }
    return false;
  }

  TempFolder folder;
  CardFixture card;
  Form1& form = card.form;
};

}  // namespace frost::testing
