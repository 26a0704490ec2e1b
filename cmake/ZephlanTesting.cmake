# Every test source tests/tst_<subject>.cpp builds one executable tst_<subject>.

# zephlan_add_gtest(<name> LIBRARIES ...)
# A GoogleTest executable from <name>.cpp whose cases are registered one by one with CTest.
function(zephlan_add_gtest name)
    cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# zephlan_add_qtest(<name> LIBRARIES ...)
# A QtTest executable from <name>.cpp, run on the offscreen platform so no display is needed.
function(zephlan_add_qtest name)
    cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test Qt6::Widgets)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_PLATFORMTHEME="
        TIMEOUT 120)
endfunction()
