# The Debian package: the program, its data and its desktop files, with the
# runtime packages it needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnel developers <varnel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "read and make the pages of a music course")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), \
qt6-qpa-plugins, libfluidsynth3, libsndfile1 (>= 1.1), libharfbuzz-subset0, \
libwoff1, timgm6mb-soundfont | fluid-soundfont-gm, \
fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n")
# The fuller General MIDI SoundFont, played in preference when present.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm")
include(CPack)
