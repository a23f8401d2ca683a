// The resource script, as linked into this test program: the tune and the pictures under the
// types and ids the card asks for, and the icon and cursor in the sizes Windows asks for.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_prelude.h"

namespace frost {
namespace {

// The source folder as Wine's drive Z: sees it.
std::vector<std::uint8_t> SourceFile(const std::string& name) {
  std::ifstream in("Z:" FROST_SOURCE_DIR "/resources/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Win32Resources, TheTuneAndThePicturesAreTheCommittedFiles) {
  Win32Platform windows({.program_path = "", .mutex_name = ""});
  OsServices& platform = windows.Services().os;
  const std::pair<int, const char*> pictures[] = {{201, "pictures/nativity.jpg"},
                                                  {202, "pictures/card.jpg"},
                                                  {214, "icons/exit.gif"},
                                                  {217, "icons/update-card.gif"}};
  const auto tune = SourceFile("music/tune.mid");
  ASSERT_FALSE(tune.empty());
  EXPECT_EQ(platform.LoadResource("CUSTOM", 101), tune);
  for (const auto& [id, file] : pictures)
    EXPECT_EQ(platform.LoadResource("PICTURE", id), SourceFile(file)) << file;
  EXPECT_EQ(platform.LoadResource("CUSTOM", 102), std::nullopt);
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info))
    return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST(Win32Resources, TheWindowIconHasEverySizeAndTheCursorItsHotSpot) {
  const HINSTANCE self = GetModuleHandleW(nullptr);
  for (int size : {16, 24, 32, 48}) {
    auto icon = static_cast<HICON>(
        LoadImageW(self, MAKEINTRESOURCEW(401), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    EXPECT_EQ(IconWidth(icon), size);
    DestroyIcon(icon);
  }
  auto cursor = static_cast<HCURSOR>(
      LoadImageW(self, MAKEINTRESOURCEW(301), IMAGE_CURSOR, 32, 32, LR_DEFAULTCOLOR));
  ICONINFO info{};
  ASSERT_TRUE(cursor != nullptr && GetIconInfo(cursor, &info));
  const auto hot_spot = SourceFile("cursor/hand.hotspot");
  std::istringstream expected(std::string(hot_spot.begin(), hot_spot.end()));
  DWORD x = 0, y = 0;
  expected >> x >> y;
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, x);
  EXPECT_EQ(info.yHotspot, y);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
}  // namespace frost
