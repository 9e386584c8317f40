#include <QApplication>
#include <QIcon>

#include "app/WindowFonts.h"
#include "app/pgTarnvik.h"
#include "platform/DesktopServices.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnvik"));
  QApplication::setOrganizationName(QStringLiteral("Tarnvik"));
  QApplication::setDesktopFileName(QStringLiteral("tarnvik"));
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("tarnvik"), QIcon(QStringLiteral(":/icons/tarnvik.png"))));
  tarnvik::app::InstallJapaneseFonts();

  // The composition root: every platform service is built here, once.
  tarnvik::platform::DesktopServices services;
  tarnvik::app::TfmTarnvik fmTarnvik(services.Get());
  fmTarnvik.show();
  return QApplication::exec();
}
