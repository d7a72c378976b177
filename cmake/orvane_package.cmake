# The Debian package: `cpack -G DEB` in a build folder (scripts/validate-package.sh
# builds and checks it). It holds what `cmake --install` installs, stripped,
# under /usr; dpkg-shlibdeps computes the libraries it depends on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "The Orvane developers")
set(ORVANE_PACKAGE_MAINTAINER "The Orvane developers <maintainers@orvane.example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tuning and service tool for three-axis camera gimbals")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvane talks to the controller board of a three-axis brushless camera gimbal
on a USB serial port. Its window shows the live state (attitude, sensors,
motors, RC channels, versions, faults), reads, edits, writes and flashes the
parameter set, keeps parameter sets as files, runs calibrations, sends camera
and test commands and upgrades the firmware, in English or Chinese.
orvane-cli does the same from the command line, for scripts and service
benches, and orvane-sim is a simulated gimbal to try both on without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANE_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its display plugins at run time, which no library link shows.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The Chinese user interface needs a font with its characters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
