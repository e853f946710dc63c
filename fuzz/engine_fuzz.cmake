# libFuzzer targets of the 3D engine's file readers (clang only; included
# from the top level when QUILLO_FUZZ is on, which instruments every
# library with -fsanitize=fuzzer-no-link,address,undefined).
add_executable(fuzz_loadsurface ${CMAKE_SOURCE_DIR}/fuzz/fuzz_loadsurface.cpp)
target_link_libraries(fuzz_loadsurface PRIVATE quillo_engine3d)
target_compile_options(fuzz_loadsurface PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_loadsurface PRIVATE -fsanitize=fuzzer,address,undefined)
