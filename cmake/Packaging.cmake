# The Debian package: `cpack -G DEB` in the build folder (scripts/package-test.sh).
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VENDOR "The Pelmora developers")
set(CPACK_PACKAGE_CONTACT "The Pelmora developers <pelmora@pelmora.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the phone books and messages of a GSM SIM card")
set(CPACK_PACKAGE_DESCRIPTION
  "Pelmora reads the phone books and stored short messages of a GSM SIM card through a PC/SC smart-card reader, edits them, saves them to files and writes them back. It comes with a window (Velmet) and a command-line editor (velmet-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://pelmora.org/)
# The Qt libraries come from the programs' own links; the card plug-in loads
# pcsc-lite at run time, so that and the daemon are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpcsclite1, pcscd, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
# The MIME and desktop databases are brought up to date by the triggers that
# shared-mime-info, desktop-file-utils and hicolor-icon-theme declare on
# their folders; the package itself runs nothing.
include(CPack)
