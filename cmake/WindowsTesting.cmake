# Tests of a Windows build made on Linux: GoogleTest is built from source for
# the target, and every test program runs under Wine through a small runner
# written into the build folder.

include(${CMAKE_CURRENT_LIST_DIR}/MinGWRuntime.cmake)

set(ZEPHLAN_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZEPHLAN_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)

# Building needs no Wine; without it the runner says so when a test starts.
find_program(ZEPHLAN_WINE wine)
find_program(ZEPHLAN_WINESERVER wineserver)
if(NOT ZEPHLAN_WINE OR NOT ZEPHLAN_WINESERVER)
    set(ZEPHLAN_WINE wine)
    set(ZEPHLAN_WINESERVER wineserver)
endif()
set(ZEPHLAN_WINE_RUNNER ${CMAKE_BINARY_DIR}/wine-run)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEPHLAN_WINE_RUNNER})
# GoogleTest names are listed when CTest runs, not after each build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Called once Qt is found (or when the windows are not built): the runner finds Qt's and the compiler's DLLs
# through WINEPATH, in Wine's Z: drive.
function(zephlan_write_wine_runner)
    set(qtBin)
    if(TARGET Qt6::Core)
        zephlan_qt_dll_dir(qtBin)
    endif()
    zephlan_compiler_library_dirs(runtimeDirs)
    set(winePath)
    foreach(dir IN LISTS qtBin runtimeDirs)
        string(REPLACE "/" "\\" dir "Z:${dir}")
        list(APPEND winePath "${dir}")
    endforeach()
    list(JOIN winePath ";" ZEPHLAN_WINEPATH)
    set(ZEPHLAN_DEFAULT_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${ZEPHLAN_WINE_RUNNER}
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE
                   @ONLY)
endfunction()
