# Build settings shared by every target, and the helpers the folders use to declare
# their libraries, tests, benchmarks and fuzz targets.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

find_program(LLD_PROGRAM ld.lld)
if(LLD_PROGRAM)
  add_link_options(-fuse-ld=lld)
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(VELMOR_FUZZ)
  # Every library is instrumented for coverage; only the fuzz executables link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VELMOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# velmor_library(NAME <target> [SOURCES_DIR <dir>] [DEPS ...] [QT ...])
# A static library made of every .cpp and .h in the calling folder (not its subfolders).
function(velmor_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;QT" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set(qt_targets)
  foreach(module IN LISTS ARG_QT)
    list(APPEND qt_targets Qt6::${module})
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${qt_targets})
endfunction()

# velmor_test(NAME <target> DEPS ...)
# A GoogleTest executable made of every .cpp in the calling folder, registered with ctest.
function(velmor_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} velmor_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    VELMOR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    VELMOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELMOR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;QT_SCALE_FACTOR=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# velmor_bench(NAME <target> SOURCES ... DEPS ...)
function(velmor_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# velmor_fuzz(NAME <target> SOURCES ... DEPS ...)
function(velmor_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()
