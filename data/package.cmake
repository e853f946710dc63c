# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs, under /usr.
set(CPACK_PACKAGE_NAME quillo)
set(CPACK_PACKAGE_VENDOR "Quillo Proj")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quad-face 3D models, key-frame animations and a screen saver")
set(CPACK_PACKAGE_DESCRIPTION "Quillo builds simple 3D models out of coloured and textured quad faces\n\
(quillomodel), animates them key frame by key frame with dialogue, backgrounds\n\
and sound (quilloanime), converts DXF drawings into models (facesmith), and\n\
plays the animations as a screen saver (quillosaver).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(QUILLO_PACKAGE_MAINTAINER "Quillo Proj <quillo@localhost>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# MIDI music plays through a General MIDI sound font (src/platform/sdl_sound_device.cpp
# looks for TimGM6mb, then the system's default one); the Japanese texts need
# a font that has them.
set(quillo_runtime_depends "timgm6mb-soundfont | sf2-soundfont-gm, fonts-ipafont-gothic")
find_program(QUILLO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUILLO_DPKG_SHLIBDEPS)
  # The libraries' packages come from the programs themselves.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${quillo_runtime_depends})
else()
  # Debian 12's names of what the programs link.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, \
libsdl2-2.0-0, libsdl2-mixer-2.0-0, libtinygltf2d, libtinyobjloader2rc10, ${quillo_runtime_depends}")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
include(CPack)
