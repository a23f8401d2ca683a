#include "startup/main_module.h"

#include <filesystem>

#include "platform/path_join.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {

std::string FolderOf(const std::string& programPath) {
  std::string folder = std::filesystem::path(programPath).parent_path().string();
  // A program in the root folder keeps no trailing separator; Windows takes '/' as one too.
  if (!folder.empty() && (folder.back() == kPathSeparator || folder.back() == '/'))
    folder.pop_back();
  return folder;
}

std::string RunName(const std::string& programPath) {
  return std::filesystem::path(programPath).stem().string();
}

void Main(Form1& form) {
  form.cardFiles.ProgramFolder = FolderOf(form.OS().ProgramPath());
  form.Form_Load();
}

int RunCard(Application& app, Platform platform) {
  try {
    Form1 form(app, platform);
    Main(form);
    app.Run();
  } catch (const EndProgram&) {
  } catch (const std::exception& failure) {
    platform.window.MessageBox(std::string("The card could not go on: ") + failure.what(),
                               "Frostmail");
    return 1;
  }
  return 0;
}

}  // namespace frost
