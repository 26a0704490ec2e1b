# zephlan_compiler_library_dirs(<out>)
# The folders the MinGW-w64 compiler takes its libraries from: its runtime
# DLLs (C++ library, GCC support, threads) lie among them.
function(zephlan_compiler_library_dirs out)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-search-dirs
                    OUTPUT_VARIABLE searchDirs COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCH "\nlibraries: =([^\n]*)" _ "\n${searchDirs}")
    string(REPLACE ":" ";" dirs "${CMAKE_MATCH_1}")
    set(existing)
    foreach(dir IN LISTS dirs)
        if(IS_DIRECTORY "${dir}")
            file(REAL_PATH "${dir}" dir)
            list(APPEND existing "${dir}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES existing)
    set(${out} "${existing}" PARENT_SCOPE)
endfunction()

# zephlan_qt_dll_dir(<out>): the folder of Qt's own DLLs.
function(zephlan_qt_dll_dir out)
    get_target_property(core Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(dir "${core}" DIRECTORY)
    set(${out} "${dir}" PARENT_SCOPE)
endfunction()
