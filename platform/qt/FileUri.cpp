#include "platform/qt/FileUri.h"

namespace tarnvik::platform {

QByteArray FileUri(const std::string& nativePath) {
  QByteArray bytes(nativePath.data(), static_cast<qsizetype>(nativePath.size()));
#ifdef Q_OS_WIN
  // "C:\a\b" is file:///C:/a/b and the share "\\host\share\a" is
  // file://host/share/a; "\" is no file-name byte on Windows.
  bytes.replace('\\', '/');
  QByteArray prefix = QByteArrayLiteral("file://");
  if (bytes.startsWith("//")) {
    bytes.remove(0, 2);
  } else if (bytes.size() >= 2 && bytes[1] == ':') {
    prefix += '/' + bytes.left(2);
    bytes.remove(0, 2);
  }
  return prefix + bytes.toPercentEncoding(QByteArrayLiteral("/"));
#else
  return QByteArrayLiteral("file://") + bytes.toPercentEncoding(QByteArrayLiteral("/"));
#endif
}

}  // namespace tarnvik::platform
