# `cmake --build build --target package` makes a Debian package of what
# cmake/Install.cmake installs, for the prefix /usr. dpkg-shlibdeps (dpkg-dev)
# works out the library dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmar)
set(CPACK_PACKAGE_VENDOR "The Velmar developers")
set(CPACK_PACKAGE_CONTACT "The Velmar developers <maintainers@velmar.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for a mobile two-way radio")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmar reads the memory of a mobile two-way radio over a serial programming
cable, lets you edit its 529 channels and its radio-wide settings, keeps them
in data files and writes them back into the radio.

The package also holds VelmarSetFactory, the tool that reads and writes the
radio's factory information, velmar-cli, which reads, writes, checks and
restores radios and converts documents from the command line (several radios
at once), velmar-vradio, a virtual radio on a pseudo-terminal for demos and
training, velmar-demo, which starts Velmar on that virtual radio with a sample
memory, and a udev rule that gives the group dialout the common USB-serial
programming cables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so dpkg-shlibdeps cannot see them: the SVG icon
# engine and the icon theme of the toolbar (without them the toolbar falls
# back to the style's plainer icons).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, adwaita-icon-theme")
# Reload the udev rules so that a cable plugged in after installing is usable.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
