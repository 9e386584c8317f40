#pragma once

#include <string>
#include <string_view>

namespace tarnvik::platform::win32 {

// The program's native form of a Windows path or name is the UTF-8 of its
// UTF-16 text, extended to lone surrogates (WTF-8): a surrogate code unit
// that is not half of a pair is written as the three bytes of its code
// point. Every UTF-16 name, valid or not, thus has one native form and comes
// back from it unchanged, and valid names are plain UTF-8.

// UTF-16 to the native form.
std::string ToNative(std::wstring_view wide);

// The native form back to UTF-16. Bytes that are not part of a well-formed
// sequence (which no Windows name produces) become U+FFFD, so that such a
// text names no existing file. A pair of encoded surrogates that together
// form a pair becomes that pair, like the four-byte form of its code point.
std::wstring ToWide(std::string_view native);

// The full path of `path` (GetFullPathNameW): a relative path is taken from
// the current folder now, "/" become "\", "." and ".." are resolved. Empty
// when `path` is empty, holds a NUL or cannot be made full.
std::wstring FullPath(const std::wstring& path);

// A form of `path` that the wide file functions accept beyond MAX_PATH:
// the full path (relative paths are taken from the current folder, "/" and
// "." and ".." are resolved) with the "\\?\" prefix, "\\?\UNC\" for a share.
// A drive alone ("C:") means the root of that drive, not its current folder.
// Paths that already carry the prefix are kept as they are. Empty when the
// path cannot be made full.
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace tarnvik::platform::win32
