# Desktop integration and the Debian package.
#   <prefix>/share/applications/velmora.desktop       the menu entry, handler of .wms and .wmz files
#   <prefix>/share/mime/packages/velmora-skin.xml     the shared-MIME types of .wms and .wmz files
#   <prefix>/share/icons/hicolor/<size>/apps/velmora.png
# `cpack -G DEB` in the build folder makes velmora_<version>_<arch>.deb for
# /usr; the library dependencies are computed from the program by
# dpkg-shlibdeps. The MIME, desktop and icon caches are refreshed by the
# triggers of shared-mime-info, desktop-file-utils and hicolor-icon-theme.
# Included at the end of the top CMakeLists.txt, after Install.cmake.
set(desktop_dir ${CMAKE_CURRENT_SOURCE_DIR}/assets/desktop)

install(FILES ${desktop_dir}/velmora.desktop DESTINATION share/applications COMPONENT velmora)
install(FILES ${desktop_dir}/velmora-skin.xml DESTINATION share/mime/packages
        COMPONENT velmora)
install(FILES ${VELMORA_PICTURES_DIR}/velmora.png
        DESTINATION share/icons/hicolor/32x32/apps COMPONENT velmora)
install(FILES ${VELMORA_DESKTOP_ICON} RENAME velmora.png
        DESTINATION share/icons/hicolor/128x128/apps COMPONENT velmora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR ${VELMORA_COMPANY})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${VELMORA_PRODUCT_TITLE}: an editor for media-player skins")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Fill in seven panels, pick images and colours, preview the skin, save it as a complete "
    "skin folder and pack it as a WMZ file. The command line packs, checks and renders skins "
    "without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELMORA_COMPANY})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs in Japanese; no library of it is linked, so shlibdeps cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
include(CPack)
