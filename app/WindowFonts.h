#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "base/Fonts.h"
#include "windows/QtText.h"

namespace tarnvik::app {

// The fonts the windows ask for by their design names.
inline const QString kGothic = windows::ToQString(base::kGothicFont);    // fixed pitch
inline const QString kPGothic = windows::ToQString(base::kPGothicFont);  // proportional

// The installed families that stand in for each design font, best first,
// each by the name the font database lists: the Latin name ("IPAGothic"),
// or the Japanese one ("IPAゴシック") where the database lists that instead,
// as under a Japanese locale. The fixed-pitch stand-ins draw half-width
// characters exactly half as wide as full-width ones, which the column
// widths of the tables assume.
QStringList GothicStandIns();
QStringList PGothicStandIns();

// Makes the design names resolve to the first installed stand-in for every
// QFont of the program (QFont::insertSubstitutions), unless a font of the
// design name itself is installed. The default family of the application,
// of message boxes, menus and tool tips is given the proportional stand-ins
// too when it is drawn in another face that has no Japanese characters (a
// missing family, as Wine's "MS Shell Dlg", which falls back to a serif);
// a default that is installed or falls back to a Japanese face is kept.
// Call once, after the application object exists and before any window is
// created. Returns the family that kGothic resolves to.
QString InstallJapaneseFonts();

// The window font of the main window: kGothic at 12 points.
QFont WindowFont();

}  // namespace tarnvik::app
