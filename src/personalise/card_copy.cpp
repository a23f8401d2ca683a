#include "personalise/card_copy.h"

#include "personalise/greeting_area.h"
#include "toolkit/errors.h"

namespace frost {

bool HasMarkerAtItsPlace(BinaryFile& file) {
  const std::int64_t length = file.Length();
  return length >= greeting_area::kSize &&
         file.GetByte(length - greeting_area::kMarkerOffset) == greeting_area::kMarker;
}

void WriteCompleteCard(OsServices& os, const std::string& from, const std::string& to,
                       const std::function<void(BinaryFile&)>& edit) {
  os.WriteCompleteCopy(from, to, [&](BinaryFile& copy) {
    if (edit)
      edit(copy);
    if (!HasMarkerAtItsPlace(copy)) {
      throw RuntimeError(error::kPathFileAccess,
                         "Path/File access error: " + to +
                             " would not be a card (no greeting marker 502 bytes before its end)");
    }
  });
}

}  // namespace frost
