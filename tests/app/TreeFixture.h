#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

// Helpers for the window tests' fixture trees.

// A fixed moment with even seconds, so the time text needs no rounding.
inline constexpr qint64 kStamp = 1718000000;  // 2024-06-10 06:13:20 UTC

// Makes a file of `size` bytes with the given modification time; the folders
// on the way are created. Fails the running test when that is not possible.
inline void MakeFile(const QString& path, int size, qint64 mtime = kStamp) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(size, 'x'));
  QVERIFY(f.flush());
  QVERIFY(f.setFileTime(QDateTime::fromSecsSinceEpoch(mtime), QFileDevice::FileModificationTime));
}
