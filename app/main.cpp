#include <QApplication>
#include <QIcon>

#include "app/WindowFonts.h"
#include "app/pgTarnvik.h"
#include "platform/qt/QtSettingsStore.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnvik"));
  QApplication::setOrganizationName(QStringLiteral("Tarnvik"));
  QApplication::setDesktopFileName(QStringLiteral("tarnvik"));
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("tarnvik"), QIcon(QStringLiteral(":/icons/tarnvik.png"))));
  tarnvik::app::InstallJapaneseFonts();

  tarnvik::platform::QtSettingsStore settings;
  tarnvik::app::TfmTarnvik fmTarnvik(settings);
  fmTarnvik.show();
  return QApplication::exec();
}
