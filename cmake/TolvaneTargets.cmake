# Helpers that keep every folder's CMakeLists.txt to a few lines.

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(TOLVANE_WARNINGS -Wall -Wextra -Werror)
else()
    # Other compilers (clang for the fuzz build) warn differently; g++ is the gate.
    set(TOLVANE_WARNINGS -Wall -Wextra)
endif()

# tolvane_sources(<variable> <patterns>...)
# The files of the calling folder and of its rooms (subfolders) that match the patterns. A subfolder
# with a CMakeLists.txt of its own is another target (app/cardzap, platform/addressbook/abtool), so
# its files and those below it are left out.
function(tolvane_sources variable)
    set(patterns)
    foreach(pattern IN LISTS ARGN)
        list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
    endforeach()
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${patterns})
    file(GLOB_RECURSE targets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
    foreach(list IN LISTS targets)
        get_filename_component(folder ${list} DIRECTORY)
        string(LENGTH "${folder}/" length)
        foreach(file IN LISTS found)
            string(SUBSTRING "${file}" 0 ${length} head)
            if(head STREQUAL "${folder}/")
                list(REMOVE_ITEM found ${file})
            endif()
        endforeach()
    endforeach()
    set(${variable} ${found} PARENT_SCOPE)
endfunction()

# tolvane_library(<target> [DEPS <targets>...])
# A static library of every source in the calling folder and its rooms; the repository root is on
# the include path, so headers are included by their folder: #include "google/upload/uploadkeys.h".
function(tolvane_library target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    tolvane_sources(sources *.cpp *.h *.qrc)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${TOLVANE_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# tolvane_program(<target>)
# One of the programs a user runs or that they start for each other (Tolvane, agent-tolvane,
# tolvane-service, abtool, gdata-server): all are built into one folder, bin/, so each finds the
# others beside itself in the build tree as in an installed tree.
function(tolvane_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()

# tolvane_test(<target> [DEPS <targets>...])
# One GoogleTest program of every source in the calling folder and its rooms; each test runs in its
# own process with a fresh temporary HOME (see tests/support/testmain.cpp), on a session bus and
# keyring of its own: tests that run side by side start programs under the same bus names and store
# secrets under the same accounts.
function(tolvane_test target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    tolvane_sources(sources *.cpp *.h)
    add_executable(${target} ${sources})
    target_compile_options(${target} PRIVATE ${TOLVANE_WARNINGS})
    target_link_libraries(${target} PRIVATE tolvane_testsupport ${ARG_DEPS})
    set_target_properties(${target} PROPERTIES
        CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/support/privatesession)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tolvane_test_support(<target> [DEPS <targets>...])
# A static library of the test fixtures in the calling folder, for the test programs of every folder
# that stands on the DEPS.
function(tolvane_test_support target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    tolvane_sources(sources *.cpp *.h)
    add_library(${target} STATIC ${sources})
    target_compile_options(${target} PRIVATE ${TOLVANE_WARNINGS})
    target_link_libraries(${target} PUBLIC tolvane_testsupport ${ARG_DEPS})
endfunction()

# tolvane_fuzzer(<room>/<name> DEPS <targets>...)
# A libFuzzer program from fuzz/<room>/<name>_fuzzer.cpp, where the room mirrors the folder of the
# code it feeds; its seed inputs are in fuzz/corpus/<name>/, and every program is built into the
# build's fuzz/ folder.
function(tolvane_fuzzer path)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    get_filename_component(name ${path} NAME)
    add_executable(${name}_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/${path}_fuzzer.cpp)
    target_compile_options(${name}_fuzzer PRIVATE ${TOLVANE_WARNINGS})
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}_fuzzer PRIVATE ${ARG_DEPS})
    add_dependencies(fuzzers ${name}_fuzzer)
endfunction()
