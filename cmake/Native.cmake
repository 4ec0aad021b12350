# Native (Linux) build: the portable core and its unit tests.
find_package(GTest REQUIRED)
include(GoogleTest)

if(ORVANTA_SANITIZE)
    set(ORVANTA_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(orvanta_core PRIVATE ${ORVANTA_SAN_FLAGS})
endif()

file(GLOB_RECURSE ORVANTA_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*_test.cpp)
# Portable test support; files ending in _win.cpp serve the Windows tests alone.
file(GLOB ORVANTA_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
list(FILTER ORVANTA_TEST_SUPPORT EXCLUDE REGEX "_win\\.cpp$")

add_executable(unit_tests ${ORVANTA_UNIT_TESTS} ${ORVANTA_TEST_SUPPORT}
    src/device/Brondel.cpp)
target_include_directories(unit_tests PRIVATE tests)
target_compile_definitions(unit_tests PRIVATE
    ORVANTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(unit_tests PRIVATE orvanta_core GTest::gtest GTest::gtest_main)
orvanta_warnings(unit_tests)
# The test files are compiled together, a few to a unit: each alone would parse googletest anew.
set_target_properties(unit_tests PROPERTIES UNITY_BUILD ON)
if(ORVANTA_SANITIZE)
    target_compile_options(unit_tests PRIVATE ${ORVANTA_SAN_FLAGS})
    target_link_options(unit_tests PRIVATE ${ORVANTA_SAN_FLAGS})
endif()
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 60)
