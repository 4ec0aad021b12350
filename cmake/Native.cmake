# Native (Linux) build: the portable core and its unit tests.
find_package(GTest REQUIRED)
include(GoogleTest)

if(ORVANTA_SANITIZE)
    set(ORVANTA_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(orvanta_core PRIVATE ${ORVANTA_SAN_FLAGS})
endif()

orvanta_unit_test_program(unit_tests)
target_link_libraries(unit_tests PRIVATE GTest::gtest GTest::gtest_main)
orvanta_warnings(unit_tests)
# The test files are compiled together, a few to a unit: each alone would parse googletest anew.
set_target_properties(unit_tests PROPERTIES UNITY_BUILD ON)
if(ORVANTA_SANITIZE)
    target_compile_options(unit_tests PRIVATE ${ORVANTA_SAN_FLAGS})
    target_link_options(unit_tests PRIVATE ${ORVANTA_SAN_FLAGS})
endif()
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 60)
