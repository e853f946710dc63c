# libFuzzer targets of the glTF and OBJ importers, built with clang and
# ASan/UBSan when QUILLO_FUZZ is on:
#   cmake --build build-fuzz --target fuzz_gltf fuzz_obj
#   build-fuzz/fuzz/fuzz_gltf tests/fuzz/gltf
# tinygltf (with stb_image) is Debian's shared library, so coverage is that
# of our own code around it; the OBJ reader is our own code throughout.
foreach(lib quillo_exchange quillo_exchange_fuzz_harness)
  target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link ${anim_fuzz_sanitizers})
endforeach()
foreach(name gltf obj)
  add_executable(fuzz_${name} ${CMAKE_CURRENT_LIST_DIR}/anim_fuzz_entry.cpp)
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_compile_definitions(fuzz_${name} PRIVATE QUILLO_HARNESS=${name} QUILLO_HARNESS_HEADER="exchange_harness.h")
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${anim_fuzz_sanitizers})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${anim_fuzz_sanitizers})
  target_link_libraries(fuzz_${name} PRIVATE quillo_exchange_fuzz_harness)
endforeach()
