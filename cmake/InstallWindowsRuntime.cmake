# Run by `cmake --install` for the Windows build, after the program itself:
# installs Qt's Windows platform plugin (ZEPHLAN_DEPLOY_PLATFORM) into
# platforms/, and beside the program (ZEPHLAN_DEPLOY_PROGRAM) every DLL the two
# import, directly or through each other, from the folders ZEPHLAN_DEPLOY_DIRS.
# Installed with --strip (as CPack does), they lose their debugging symbols.
#
# Windows matches DLL names in any case, and so does CMake's search, which
# looks for them in lower case: on Linux the folders are searched through
# lower-case links made in ZEPHLAN_DEPLOY_LINKS, and each DLL is installed
# under its own name.
set(links "${ZEPHLAN_DEPLOY_LINKS}")
# Installs of one build may run at once (the tests pack the zip and the installer side by side):
# the links are shared, so one install at a time makes, uses and removes them.
file(LOCK "${links}.lock" GUARD PROCESS)
file(REMOVE_RECURSE "${links}")
set(linkDirs)
set(index 0)
foreach(dir IN LISTS ZEPHLAN_DEPLOY_DIRS)
    math(EXPR index "${index} + 1")
    file(MAKE_DIRECTORY "${links}/${index}")
    file(GLOB dlls "${dir}/*.dll" "${dir}/*.DLL")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        file(CREATE_LINK "${dll}" "${links}/${index}/${name}" SYMBOLIC)
    endforeach()
    list(APPEND linkDirs "${links}/${index}")
endforeach()

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${ZEPHLAN_OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${ZEPHLAN_DEPLOY_PROGRAM}"
    MODULES "${ZEPHLAN_DEPLOY_PLATFORM}"
    DIRECTORIES ${linkDirs}
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR fromWindows)
set(dlls)
foreach(dll IN LISTS found)
    file(REAL_PATH "${dll}" dll)
    list(APPEND dlls "${dll}")
endforeach()
file(REMOVE_RECURSE "${links}")
file(LOCK "${links}.lock" RELEASE)

function(installStripped file folder)
    file(INSTALL "${file}" DESTINATION "${folder}")
    get_filename_component(name "${file}" NAME)
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND "${ZEPHLAN_STRIP}" "$ENV{DESTDIR}${folder}/${name}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
endfunction()

installStripped("${ZEPHLAN_DEPLOY_PLATFORM}" "${CMAKE_INSTALL_PREFIX}/platforms")
foreach(dll IN LISTS dlls)
    installStripped("${dll}" "${CMAKE_INSTALL_PREFIX}")
endforeach()
list(JOIN fromWindows ", " fromWindows)
message(STATUS "Left to Windows: ${fromWindows}")
