#include "platform/qt/QtLauncher.h"

#include <unistd.h>

#include <QByteArray>
#include <QDesktopServices>
#include <cerrno>
#include <vector>

namespace tarnvik::platform {

namespace {

// The working directory as raw bytes; QDir::currentPath would decode it.
bool CurrentDirectory(std::string& out) {
  std::vector<char> buf(4096);
  for (;;) {
    if (getcwd(buf.data(), buf.size()) != nullptr) {
      out.assign(buf.data());
      return true;
    }
    if (errno != ERANGE || buf.size() > (1u << 20)) return false;
    buf.resize(buf.size() * 2);
  }
}

}  // namespace

QUrl QtLauncher::FileUrl(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return {};
  std::string absolute;
  if (nativePath.front() != '/') {
    if (!CurrentDirectory(absolute)) return {};
    if (absolute.empty() || absolute.back() != '/') absolute.push_back('/');
  }
  absolute += nativePath;
  // Only unreserved characters and "/" stay literal: QUrl keeps every other
  // escape as given, so its encoded form carries the raw bytes and nothing
  // a command line or a shell could split or interpret.
  const QByteArray encoded =
      "file://" + QByteArray(absolute.data(), static_cast<qsizetype>(absolute.size()))
                      .toPercentEncoding(QByteArrayLiteral("/"));
  return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

bool QtLauncher::OpenDocument(const std::string& nativePath) {
  const QUrl url = FileUrl(nativePath);
  if (!url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace tarnvik::platform
