# The Debian package: `tools/package.sh` (cpack -G DEB in the build folder)
# makes tarnvik_<version>_<arch>.deb from the install rules: the window, the
# command-line tool, the menu entry and the icons under /usr. The libraries
# the programs link come in as dependencies through dpkg-shlibdeps; the rest
# is what they need at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnvik)
set(CPACK_PACKAGE_VENDOR Tarnvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file finder and launcher for Japanese office users")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarnvik lists every file below a folder with its name, folder, time and
size, marks names that occur twice and likely copies, filters the list by
keywords typed the Japanese way (hiragana or katakana, full or half width),
opens a file with the desktop's program and writes the list to a workbook.
tarnvik-cli runs the same search for scripts.")
set(CPACK_PACKAGE_CONTACT "Tarnvik developers <tarnvik@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, needed all the same: the font the column widths assume, and
# the GLib runtime with the MIME database that open files with their program.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, libglib2.0-0, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
include(CPack)
