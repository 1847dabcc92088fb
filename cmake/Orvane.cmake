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

# Windows test executables carry the program's manifest so that they see the same common
# controls and the same reported Windows version as the program.
function(orvane_win_test target)
  orvane_windows_exe(${target})
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/resources/TestManifest.rc)
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gmock)
  # The program's own code is optimised in its libraries; the tests' code needs no more than
  # this, and it builds much faster.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-O1>)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Under Wine the report's path is on drive Z:, which maps the Unix root.
  add_test(NAME ${target} COMMAND ${target}
                               --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/results/${target}.xml)
  set_tests_properties(${target} PROPERTIES TIMEOUT 600)
endfunction()
