# The Debian package of what cmake --install puts in place (the install layout above): the window, the
# command line, the templates and the guide below /usr/lib/kitvane, linked from /usr/bin, and the window's
# menu entry and icon below /usr/share.
#   cpack --config <build>/CPackConfig.cmake -G DEB   (scripts/package does it)
set(CPACK_PACKAGE_NAME kitvane)
set(CPACK_PACKAGE_VENDOR Kitvane)
set(CPACK_PACKAGE_CONTACT "Kitvane <kitvane@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts Maschine Expansion libraries into AKAI MPC and Force programs")
set(CPACK_PACKAGE_DESCRIPTION
    "Kitvane turns a sample library in the Maschine Expansion layout into drum and keygroup programs that\
 AKAI MPC and Force hardware load and play, with the library's loops tagged with their tempo. It has a\
 desktop window (kitvane) and a command line (kitvane-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # kitvane_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the executables link (Qt, the C++ runtime) become the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The heading bars are drawn in Arial's metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)
