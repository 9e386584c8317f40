#include "platform/dbus/DBusFileManager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>

#include "platform/qt/FileUri.h"

namespace tarnvik::platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.FileManager1");

// Waiting longer than this for a file manager to start would feel like a
// hang; the folder is opened instead.
constexpr int kCallTimeoutMs = 5000;

bool Offered(const QDBusConnection& bus) {
  QDBusConnectionInterface* names = bus.interface();
  if (names == nullptr) return false;
  const QDBusReply<bool> owned = names->isServiceRegistered(kService);
  if (owned.isValid() && owned.value()) return true;
  const QDBusReply<QStringList> activatable = names->call(QStringLiteral("ListActivatableNames"));
  return activatable.isValid() && activatable.value().contains(kService);
}

}  // namespace

bool DBusFileManager::ShowItem(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !Offered(bus)) return false;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/FileManager1"),
                                     kService, QStringLiteral("ShowItems"));
  // The URI is plain ASCII, so the bus carries the path's bytes unchanged.
  call << QStringList{QString::fromLatin1(FileUri(nativePath))} << QString();
  const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, kCallTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace tarnvik::platform
