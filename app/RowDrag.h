#pragma once

#include <string>

class QMimeData;

namespace tarnvik::app {

// The data of a file dragged out of a grid, for a file manager or a mail
// program to take as the file itself: "text/uri-list" with the one file's
// "file://" URI, made from the exact bytes of `nativePath` (bytes that are
// not UTF-8 percent-encoded, see platform::FileUri). The caller owns the
// result. UI thread.
QMimeData* FileMimeData(const std::string& nativePath);

}  // namespace tarnvik::app
