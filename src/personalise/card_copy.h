#pragma once
#include <functional>
#include <string>

#include "platform/os_services.h"

namespace frost {

// True when the file is long enough to end with a greeting area and its marker sits at its
// place, 502 bytes before the end.
bool HasMarkerAtItsPlace(BinaryFile& file);

// The one way the card and its tools write a card file: a complete copy of `from` put at `to`
// (see OsServices::WriteCompleteCopy), after `edit` has changed it, and only when its marker is at
// its place. Raises RuntimeError naming `to` otherwise; `to` is then left as it was.
void WriteCompleteCard(OsServices& os, const std::string& from, const std::string& to,
                       const std::function<void(BinaryFile&)>& edit = {});

}  // namespace frost
