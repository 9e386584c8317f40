#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Gives the headless test platform one screen of the given size (the
// platform's own default is 800 x 600, smaller than the main window's design
// size). Must run before the application object is made; does nothing unless
// the tests run on the offscreen platform. `configFile` is where the screen
// description is written.
inline void UseOffscreenScreen(const QString& configFile, int width, int height) {
  if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
  QFile f(configFile);
  if (!f.open(QIODevice::WriteOnly)) return;
  f.write(QStringLiteral("{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": %1, "
                         "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, "
                         "\"dpr\": 1}]}")
              .arg(width)
              .arg(height)
              .toUtf8());
  f.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(configFile));
}
