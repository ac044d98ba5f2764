# GoogleTest from the sources Debian installs, cross-compiled like everything else. Included once, by the
# top-level file, before any folder that adds tests.
if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
  message(FATAL_ERROR "/usr/src/googletest is missing: install googletest")
endif()
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its code is not ours to keep free of warnings: the project's warnings-as-errors stops at it.
foreach(target gtest gtest_main gmock gmock_main)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE -Wno-error)
  endif()
endforeach()
include(GoogleTest)
