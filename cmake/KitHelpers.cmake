# Shared build settings and the helpers every folder uses.

set(KIT_WARNINGS -Wall -Wextra -Wno-unused-parameter)
# GCC 12 reports a false overlap in std::string's operator+ when optimising (its bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND KIT_WARNINGS -Wno-restrict)
endif()

if(KIT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds the folder itself when it has a CMakeLists.txt, else every child folder that has one.
# Folders are picked up as they appear, so a new module needs no edit of its parent.
function(kit_add_subdirectories dir)
  if(NOT EXISTS ${dir})
    return()
  endif()
  if(EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${dir}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# A static library with the project's warnings.
function(kit_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
endfunction()

# A program with the project's warnings.
function(kit_executable name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
endfunction()

# kit_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable registered with CTest; tests run from the build tree.
function(kit_test name)
  if(NOT KIT_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE KIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             KIT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# kit_benchmark(NAME SOURCES a.cpp LIBS lib1)
function(kit_benchmark name)
  if(NOT KIT_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE KIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_property(GLOBAL APPEND PROPERTY KIT_BENCHMARK_TARGETS ${name})
endfunction()
