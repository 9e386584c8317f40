#include "app/RowDrag.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

#include "platform/qt/FileUri.h"

namespace tarnvik::app {

QMimeData* FileMimeData(const std::string& nativePath) {
  auto* data = new QMimeData;
  const QByteArray uri = platform::FileUri(nativePath);
  const QUrl url = QUrl::fromEncoded(uri, QUrl::StrictMode);
  if (url.isValid() && url.toEncoded() == uri) {
    data->setUrls({url});
  } else {
    // The URL would not give back the same bytes; the list is written as
    // the format has it, one URI and CR LF.
    data->setData(QStringLiteral("text/uri-list"), uri + "\r\n");
  }
  return data;
}

}  // namespace tarnvik::app
