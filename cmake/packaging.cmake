# The Debian package: `cpack -G DEB` in the build folder makes zantho-puzzle_<version>_amd64.deb.
#
# CPack rather than a debian/ folder: the package is made from the tree that was just built and
# tested, with the install rules the rest of the project already uses, and its version is the
# project's own. dpkg-buildpackage would build the whole game a second time from scratch and
# keep a second copy of the version and the file layout in debian/.
#
# What CPack does not do by itself is done here: shlibdeps for the libraries the executable
# links, the run-time needs it cannot see, and control files with the permissions dpkg-deb
# asks for; dist/ adds what only the package installs (the /usr/games link, the stripped
# binary, lintian overrides).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zantho-puzzle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zantho Games")
set(CPACK_PACKAGE_CONTACT "Zantho Games <games@zantho-games.example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.zantho-games.example.com/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding-picture puzzle with pictures of its own")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Choose one of 28 pictures in a small, skin-shaped menu; the game shows it
whole, shuffles it by walking the blank tile at random, and then you slide
the tiles back, one click at a time, until the picture is whole again.

Pictures 1 to 9 are played on the Normal board of 4 x 3 tiles, pictures 10
to 28 on the Hard board of 3 x 5 tiles. Time and clicks are counted, and the
fewest clicks and the shortest time of each level are kept with the
player's name. Music plays throughout.")

# The libraries the executable links come from dpkg-shlibdeps. Qt chooses its platform plugin
# (X11 or Wayland) and the game loads fonts, a SoundFont and FluidSynth at run time, where
# shlibdeps cannot see them. FluidSynth is a Depends, not a Recommends: the music plays
# throughout the game and its SoundFont is a Depends too, so a system installed without
# recommended packages would otherwise get a silent game, and the package asks for the same
# whether the executable links FluidSynth or opens it at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-wayland, fonts-liberation, timgm6mb-soundfont | fluid-soundfont-gm, libfluidsynth3")

# The package leaves out the empty Config folder: /usr is read-only to the players, so an
# installed game cannot keep its records there, and dpkg would only own a folder nobody can use.
# The package is the default component and the package-only one (dist/), in one .deb.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian_package)

include(CPack)
