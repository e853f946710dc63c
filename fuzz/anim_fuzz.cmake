# libFuzzer targets of the motion (MD6) and animation (MD7) readers, built
# with clang and ASan/UBSan when QUILLO_FUZZ is on:
#   cmake -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DQUILLO_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_md6 fuzz_md7
#   build-fuzz/fuzz/fuzz_md7 -dict=fuzz/md7.dict tests/fuzz/md7
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "QUILLO_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++-14)")
endif()
set(anim_fuzz_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
foreach(lib quillo_model quillo_engine3d quillo_animation quillo_anim_fuzz_harness)
  target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link ${anim_fuzz_sanitizers})
endforeach()
foreach(name md6 md7)
  add_executable(fuzz_${name} ${CMAKE_CURRENT_LIST_DIR}/anim_fuzz_entry.cpp)
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_compile_definitions(fuzz_${name} PRIVATE QUILLO_HARNESS=${name})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${anim_fuzz_sanitizers})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${anim_fuzz_sanitizers})
  target_link_libraries(fuzz_${name} PRIVATE quillo_anim_fuzz_harness)
endforeach()
