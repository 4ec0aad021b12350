# Cross build: Orvanta.exe and the Windows test programs that CTest runs through Wine.
include(GoogleTest)

# The Windows tests run a build that keeps its assertions (scripts/test.sh turns this on); the
# program as it ships leaves them out.
option(ORVANTA_ASSERTIONS "Keep assert() in the Windows build" OFF)
if(ORVANTA_ASSERTIONS)
    foreach(flags CMAKE_CXX_FLAGS_RELEASE CMAKE_C_FLAGS_RELEASE)
        string(REPLACE "-DNDEBUG" "" ${flags} "${${flags}}")
    endforeach()
endif()

set(ORVANTA_WIN_DEFS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# Every program links its runtime in: it runs with no DLL beside it but the system's.
set(ORVANTA_STATIC_LINK -static -static-libgcc -static-libstdc++)
set(ORVANTA_WIN_LINK ${ORVANTA_STATIC_LINK} -municode)

# The program is small: its code runs once per user action (a dialog, a field, a file) and is
# built for size, each function in a section of its own so that the link drops what nothing
# calls. The transmission's tick and the message loop that serves it keep the optimisation
# for speed.
set(ORVANTA_RELEASE $<CONFIG:Release>)
set(ORVANTA_SIZE_OPTIONS $<${ORVANTA_RELEASE}:-Os -ffunction-sections -fdata-sections>)
set(ORVANTA_TICK_SOURCES src/programming/LockTransmission.cpp src/programming/LockChannel.cpp
    src/programming/KeySender_win.cpp src/programming/LedTransmitter_win.cpp
    src/framework/PreciseTimer.cpp src/framework/MessageLoop.cpp)
set_source_files_properties(${ORVANTA_TICK_SOURCES} PROPERTIES
    COMPILE_OPTIONS $<${ORVANTA_RELEASE}:-O2>)
target_compile_options(orvanta_core PRIVATE ${ORVANTA_SIZE_OPTIONS})

target_compile_definitions(orvanta_core PUBLIC ${ORVANTA_WIN_DEFS})

# Everything of the program but the device library and the resources, shared by the shipped
# executable and the test build.
file(GLOB ORVANTA_FRAMEWORK_SOURCES CONFIGURE_DEPENDS src/framework/*.cpp)
file(GLOB ORVANTA_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/ui/*.cpp)
list(TRANSFORM ORVANTA_CORE_DIRS APPEND /*_win.cpp OUTPUT_VARIABLE ORVANTA_WIN_GLOBS)
file(GLOB_RECURSE ORVANTA_WIN_ADAPTERS CONFIGURE_DEPENDS ${ORVANTA_WIN_GLOBS})
list(REMOVE_ITEM ORVANTA_FRAMEWORK_SOURCES ${ORVANTA_PORTABLE_SHELL})  # in the core
list(REMOVE_ITEM ORVANTA_APP_SOURCES ${ORVANTA_PORTABLE_SHELL})

# The dialogs and the framework run on the user-interface thread alone: their static locals
# need no lock.
add_library(orvanta_framework STATIC ${ORVANTA_FRAMEWORK_SOURCES} ${ORVANTA_WIN_ADAPTERS})
target_link_libraries(orvanta_framework PUBLIC orvanta_core comctl32 advapi32 gdi32 user32)
target_compile_options(orvanta_framework PRIVATE ${ORVANTA_SIZE_OPTIONS} -fno-threadsafe-statics)
orvanta_warnings(orvanta_framework)

add_library(orvanta_program OBJECT ${ORVANTA_APP_SOURCES})
target_link_libraries(orvanta_program PUBLIC orvanta_framework)
target_compile_options(orvanta_program PRIVATE ${ORVANTA_SIZE_OPTIONS} -fno-threadsafe-statics)
orvanta_warnings(orvanta_program)

set(ORVANTA_RC ${CMAKE_SOURCE_DIR}/src/ui/Orvanta.rc)
set_source_files_properties(${ORVANTA_RC} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/ui/Orvanta.manifest;${CMAKE_SOURCE_DIR}/src/ui/Orvanta.ico;${CMAKE_SOURCE_DIR}/src/ui/resource.h")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

function(orvanta_executable name)
    add_executable(${name} WIN32 ${ARGN} ${ORVANTA_RC})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src/ui)
    target_link_libraries(${name} PRIVATE orvanta_program orvanta_framework)
    target_link_options(${name} PRIVATE ${ORVANTA_WIN_LINK} -s $<${ORVANTA_RELEASE}:-Wl,--gc-sections>)
    orvanta_warnings(${name})
endfunction()

# The device library stand-in that finds no device.
orvanta_executable(Orvanta src/device/Brondel.cpp)

# googletest for Windows, built from Debian's sources with the same cross compilers.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# How fast the test framework runs does not matter, how long it takes to build does.
foreach(gtest_target IN ITEMS gtest gtest_main)
    target_compile_options(${gtest_target} PRIVATE -O1)
endforeach()

# Every program the Windows tests run; the test script builds them first. The test files of a
# program are compiled together, a few to a unit (each alone would parse googletest and
# <windows.h> anew), and with less optimisation: what they test is built as it ships.
add_custom_target(test_programs)
function(orvanta_test_program name)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
        UNITY_BUILD ON)
    target_compile_options(${name} PRIVATE -O1)
    target_link_options(${name} PRIVATE ${ORVANTA_STATIC_LINK})
    orvanta_warnings(${name})
    add_dependencies(test_programs ${name})
endfunction()

# A googletest program of the Windows tests (tests/gui, tests/win), with the GUI driver's
# helpers; its tests run one at a time.
function(orvanta_win_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE gui_driver gtest_main)
    orvanta_test_program(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
endfunction()

# The tests that drive the real program (with the GUI driver and the key box emulator the
# others use too), the in-process tests, the benchmarks.
foreach(dir IN ITEMS tests/gui tests/win bench)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()

# Helper of the run script (waits for the main dialog before the screenshot).
add_executable(orvanta-dlgtool tools/DialogTool.cpp)
target_link_options(orvanta-dlgtool PRIVATE ${ORVANTA_WIN_LINK} -s)
target_compile_definitions(orvanta-dlgtool PRIVATE ${ORVANTA_WIN_DEFS})
orvanta_warnings(orvanta-dlgtool)
