# The warnings everything this project compiles is held to; errors with
# BRIMVALE_WERROR (the test script and CI turn it on).
function(brimvale_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic $<$<BOOL:${BRIMVALE_WERROR}>:-Werror>
    -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-null-dereference)
  endif()
endfunction()
