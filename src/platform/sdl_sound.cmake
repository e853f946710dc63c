# The SDL2_mixer sound device behind the animation sound table.
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
add_library(quillo_sound STATIC ${CMAKE_CURRENT_LIST_DIR}/sdl_sound_device.cpp)
target_link_libraries(quillo_sound PUBLIC quillo_animation PRIVATE PkgConfig::SDL2_MIXER)
