#pragma once
#include <span>
#include <string_view>

#include "platform/os_services.h"
#include "toolkit/backend.h"
#include "toolkit/bitmap.h"

namespace frost {

// Resource ids of the pictures the card window carries (type "PICTURE").
namespace picture_id {
inline constexpr int kPictureSanta = 201;  // the nativity scene
inline constexpr int kImage1 = 202;        // the card drawing
inline constexpr int kImagePause = 211;
inline constexpr int kImagePlay = 212;
inline constexpr int kImage2 = 213;  // "About"
inline constexpr int kImageClose = 214;
inline constexpr int kImageEdit = 215;
inline constexpr int kImageEditCancel = 216;
inline constexpr int kImageEditSave = 217;
}  // namespace picture_id

// A picture of the program's own resources, decoded; raises "Invalid picture" when the program
// lacks it.
Picture EmbeddedPicture(OsServices& os, int id);
const CursorImage& HandCursor();
// The window icon, 16, 24, 32 and 48 pixels.
std::span<const CursorImage> WindowIcon();

}  // namespace frost
