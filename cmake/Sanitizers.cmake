# AddressSanitizer + UndefinedBehaviorSanitizer for the whole tree, so the tests
# and the fuzzers check every layer they reach.
if(BRIMVALE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The codec libraries are loaded and unloaded for each image. libjpeg-turbo
  # keeps thread-local state, and LeakSanitizer's exit scan crashes on the stale
  # thread-local block of an unloaded library; keeping libjpeg and libpng
  # resident in every sanitized program avoids that without changing the code.
  add_link_options(LINKER:--no-as-needed -ljpeg -lpng16 LINKER:--as-needed)
endif()
if(BRIMVALE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "BRIMVALE_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
