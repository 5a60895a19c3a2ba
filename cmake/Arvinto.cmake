# Helpers shared by every folder's CMakeLists.

# One static library per folder of src/: every .cpp of the folder and its
# sub-folders (but those named in EXCLUDE), linked to the layers it names.
function(arvinto_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;QT;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
  endforeach()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Core)
  foreach(q IN LISTS ARG_QT)
    target_link_libraries(${name} PRIVATE Qt6::${q})
  endforeach()
endfunction()

# The program and everything it keeps beside itself live in bin/, a folder
# that holds nothing else of the build.
set(ARVINTO_BIN_DIR "${CMAKE_BINARY_DIR}/bin")

# Tests of one folder: tests/<folder>/*.cpp into one executable, each test
# registered with CTest; windows run headless.
function(arvinto_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
  endforeach()
  if(NOT sources)
    return()
  endif()
  set(exe test_${folder})
  add_executable(${exe} ${sources})
  target_link_libraries(${exe} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${exe} PRIVATE
    TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    TEST_BUILD_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots"
               TIMEOUT 120)
endfunction()

# A libFuzzer target of a reader: built only in a clang build with
# ARVINTO_FUZZ, linked to the layers it names.
function(arvinto_fuzz_target name source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# The CTest run of a fuzz target: tests/grid/fuzz/run-fuzz builds it with
# clang in the shared fuzz build folder (one build at a time) and runs it for
# the given seconds on its seed corpus.
function(arvinto_fuzz_test name seconds)
  add_test(NAME ${name}
    COMMAND "${CMAKE_SOURCE_DIR}/tests/grid/fuzz/run-fuzz" "${CMAKE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/fuzz" ${seconds} ${name})
  set_tests_properties(${name} PROPERTIES LABELS fuzz SKIP_RETURN_CODE 77 TIMEOUT 1500 RESOURCE_LOCK fuzz_build)
endfunction()
