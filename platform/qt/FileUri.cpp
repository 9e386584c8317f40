#include "platform/qt/FileUri.h"

namespace tarnvik::platform {

QByteArray FileUri(const std::string& nativePath) {
  const QByteArray bytes(nativePath.data(), static_cast<qsizetype>(nativePath.size()));
  return QByteArrayLiteral("file://") + bytes.toPercentEncoding(QByteArrayLiteral("/"));
}

}  // namespace tarnvik::platform
