# `cpack -G DEB` in the build folder: one Debian package with the programs, the
# desktop files and the plug-in SDK, installed under /usr.
set(CPACK_PACKAGE_NAME brimvale)
set(CPACK_PACKAGE_VENDOR "Brimvale developers")
set(CPACK_PACKAGE_CONTACT "Brimvale developers <maintainers@brimvale.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Metasequoia 3D models with POV-Ray export")
set(CPACK_PACKAGE_DESCRIPTION
  "Brimvale opens Metasequoia models (.mqo, .mqoz), builds their meshes from the
modelling settings (lathe, mirror, patch subdivision, smoothing), shows them in
an OpenGL view and exports them for POV-Ray. It hosts plug-ins written against
the Metasequoia plug-in interface; brimvale-cli works without a display and
draws the thumbnails file managers show.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the programs link come from dpkg-shlibdeps. Two are loaded at
# run time and named here: the GL driver that draws offscreen, and Qt's SVG
# icon engine that draws the toolbar (linked, but dropped by --as-needed).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "povray")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebWithoutLdconfig.cmake)
include(CPack)
