// Runs whole searches through the real main window (offscreen) and prints
// how long each took and the longest stretch in which the window processed
// no events:
//   Window_qtbench ROOT [RUNS]
// The search button is pressed RUNS times (default 5) on the same window;
// the limit message, if any, is counted instead of shown. Builds for Linux
// and for Windows, with the services of the system it runs on.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/WindowFonts.h"
#include "app/pgTarnvik.h"
#include "platform/DesktopServices.h"
#include "platform/qt/QtSettingsStore.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: Window_qtbench ROOT [RUNS]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QElapsedTimer process;
  process.start();
  QApplication app(argc, argv);
  tarnvik::app::InstallJapaneseFonts();
  const QString root =
      QDir::toNativeSeparators(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  QTemporaryDir config;
  const QString file = config.filePath(QStringLiteral("Tarnvik.conf"));
  {
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("SrchFrom0"), root);
  }
  tarnvik::platform::QtSettingsStore store(file);
  // The services as main() builds them, with this run's settings.
  tarnvik::platform::DesktopServices desktop;
  tarnvik::platform::Services services = desktop.Get();
  services.settings = &store;
  tarnvik::app::TfmTarnvik window(services);
  int messages = 0;
  window.SetMessageSink([&](const QString&) { ++messages; });
  window.show();
  QApplication::processEvents();
  const double startupMs = process.nsecsElapsed() / 1e6;

  std::vector<double> times;
  std::vector<double> gaps;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    t.start();
    window.BtnSearch->click();
    times.push_back(t.nsecsElapsed() / 1e6);
    gaps.push_back(window.Pump().LongestGapNs() / 1e6);
    QApplication::processEvents();
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const auto& c = window.Counters();
  std::printf("root: %s\n", qPrintable(root));
  std::printf("files %d, folders %d, marked %d, limit messages %d\n", c.FileCount, c.FolderCount,
              c.SameCount, messages);
  std::printf("start-up: %.1f ms\n", startupMs);
  std::printf("search: median %.1f ms, best %.1f ms (%d runs)\n", sorted[sorted.size() / 2],
              sorted.front(), runs);
  std::printf("longest gap without event processing: %.1f ms\n",
              *std::max_element(gaps.begin(), gaps.end()));
  std::printf("event pump: %lld calls, %lld processed (last run)\n",
              static_cast<long long>(window.Pump().Calls()),
              static_cast<long long>(window.Pump().Processed()));
  return 0;
}
