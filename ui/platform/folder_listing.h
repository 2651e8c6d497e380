#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zelmora::platform {

enum class EntryKind { File, Folder, Link, Other };

// Lists `folder` once, calling `visit` for every entry but "." and "..", with its kind as the
// directory itself reports it (a link is a Link, never what it points to). With `noFollow` a
// folder that is itself a link is not opened. False when the folder cannot be opened or read to
// its end.
bool ListFolder(const std::string& folder, bool noFollow,
                const std::function<void(std::string_view name, EntryKind kind)>& visit);

}  // namespace zelmora::platform
