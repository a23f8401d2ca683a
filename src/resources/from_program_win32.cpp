// The Windows program's pictures and tune, from its resource script rather than compiled-in
// copies, so that the file carries each only once. Resource memory lives as long as the program.
#include <windows.h>

#include <cstdint>
#include <span>

namespace frost::resources::generated {

std::span<const std::uint8_t> FromProgram(const char* type, int id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (found == nullptr)
    return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
  if (bytes == nullptr)
    return {};
  return {bytes, SizeofResource(nullptr, found)};
}

}  // namespace frost::resources::generated
