# Shared settings for the project's own targets.

set(ORVANE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/Orvane)

function(orvane_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
                                                _WIN32_WINNT=0x0601 WINVER=0x0601)
    target_compile_options(${target} PUBLIC -municode)
  elseif(ORVANE_SANITIZE)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                            -fno-sanitize-recover=all)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# Windows executables: static runtime so that they run on a clean Windows.
function(orvane_windows_exe target)
  orvane_target(${target})
  target_link_options(${target} PRIVATE -municode -static -static-libgcc -static-libstdc++)
endfunction()

# Headers that nearly every Windows file parses, compiled once per library: the common ones
# and those named.
set(ORVANE_COMMON_HEADERS ${PROJECT_SOURCE_DIR}/src/platform/Win.h <algorithm> <cstdint> <functional>
                          <memory> <optional> <string> <string_view> <vector>)
function(orvane_precompile target)
  target_precompile_headers(${target} PRIVATE ${ORVANE_COMMON_HEADERS} ${ARGN})
  orvane_pch_warnings(${target})
endfunction()

# A target that uses the precompiled headers of another (same options and definitions).
function(orvane_precompiled_like target other)
  target_precompile_headers(${target} REUSE_FROM ${other})
  orvane_pch_warnings(${target})
endfunction()

# With a precompiled header GCC 12 reports copies out of bounds inside libstdc++'s string code
# (a std::wstring made from L"", a std::string appended to a temporary): false positives of
# its object-size checks that it does not report for the same code without the header.
function(orvane_pch_warnings target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overread
                                              -Wno-stringop-overflow)
  endif()
endfunction()

# The test programs' own code is built at -O1 (the program's code stays optimised in its
# libraries): it builds much faster.
function(orvane_test_code target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-O1>)
endfunction()

# Windows test executables carry the program's manifest so that they see the same common
# controls and the same reported Windows version as the program. SHARDS ctest entries run
# a share of the program's tests each, so that they can run side by side.
function(orvane_win_test target shards)
  orvane_windows_exe(${target})
  orvane_test_code(${target})
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/resources/TestManifest.rc)
  target_link_libraries(${target} PRIVATE GTest::gtest)
  orvane_precompiled_like(${target} orvane_test_support)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  math(EXPR last "${shards} - 1")
  foreach(shard RANGE ${last})
    set(name ${target})
    if(shards GREATER 1)
      set(name ${target}_${shard})
    endif()
    # Under Wine the report's path is on drive Z:, which maps the Unix root.
    add_test(NAME ${name} COMMAND ${target}
                                 --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/results/${name}.xml)
    set_tests_properties(${name} PROPERTIES TIMEOUT 600
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()
