#pragma once
#include <sys/types.h>

#include <optional>
#include <string>

namespace frost {

// A folder of the user's that no other user can enter, for the card's own files (the tune, the
// single-instance lock): $XDG_RUNTIME_DIR when it is such a folder, else "frostmail-<uid>" in
// $TMPDIR or /tmp, made with mode 0700. nullopt, with the reason in `why`, when neither is.
std::optional<std::string> PrivateFolder(std::string& why);

// True when `path` itself (not a symbolic link to it) is a folder owned by `owner` that gives
// no access to anyone else; otherwise false, with the reason in `why`.
bool IsPrivateFolder(const std::string& path, uid_t owner, std::string& why);

}  // namespace frost
