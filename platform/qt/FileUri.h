#pragma once

#include <QByteArray>
#include <string>

namespace tarnvik::platform {

// The "file://" URI of the absolute path `nativePath`, made from the path's
// exact bytes: "/" and the unreserved characters of RFC 3986 (letters,
// digits, "-", ".", "_", "~") stay as they are, every other byte, those of
// names that are not UTF-8 included, is written as "%" and two upper-case
// hex digits. Decoding the URI's path gives back the same bytes. On
// Windows the path's "\" become "/", a drive "C:" is kept as it is
// (file:///C:/...) and a share "\\host\share" names its host
// (file://host/share/...). Any thread.
QByteArray FileUri(const std::string& nativePath);

}  // namespace tarnvik::platform
