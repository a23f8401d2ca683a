#include "startup/main_module.h"

#include <filesystem>

#include "startup/form1.h"

namespace frost {

std::string FolderOf(const std::string& programPath) {
  return std::filesystem::path(programPath).parent_path().string();
}

std::string RunName(const std::string& programPath) {
  return std::filesystem::path(programPath).stem().string();
}

void Main(Form1& form) {
  form.ProgramFolder = FolderOf(form.OS().ProgramPath());
  form.Form_Load();
}

}  // namespace frost
