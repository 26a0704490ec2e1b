# Every test source tests/tst_<subject>.cpp builds one executable tst_<subject>.

# zephlan_add_gtest(<name> LIBRARIES ... [PROPERTIES <name> <value> ...])
# A GoogleTest executable from <name>.cpp whose cases are registered one by one with CTest,
# each with the given test properties.
function(zephlan_add_gtest name)
    cmake_parse_arguments(ARG "" "" "LIBRARIES;PROPERTIES" ${ARGN})
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    if(ARG_PROPERTIES)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# zephlan_add_qtest(<name> LIBRARIES ...)
# A QtTest executable from <name>.cpp, run on the offscreen platform so no display is needed.
# ZEPHLAN_VERSION is the version project() gives, as text, for what the windows show.
function(zephlan_add_qtest name)
    cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test Qt6::Widgets)
    target_compile_definitions(${name} PRIVATE ZEPHLAN_VERSION="${PROJECT_VERSION}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_PLATFORMTHEME="
        TIMEOUT 120)
endfunction()

# zephlan_add_x11_test(<name> <script> <arguments>...)
# A shell script that starts the real program on an X server of its own (Xvfb, picked with
# -displayfd) and drives it with real keys and clicks; exit 77 means a tool is missing.
function(zephlan_add_x11_test name script)
    add_test(NAME ${name} COMMAND sh ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        LABELS x11
        SKIP_RETURN_CODE 77
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=xcb;QT_QPA_PLATFORMTHEME=")
endfunction()
