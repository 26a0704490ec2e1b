# Zephlan for Windows as a folder that runs by itself, and a zip of it:
# the program, Qt's Windows platform plugin, and every DLL these two import
# that lies in Qt's or the compiler's folders (the Qt libraries and the MinGW
# runtime), found with objdump when installing. Whatever is found in neither
# folder comes with Windows itself.
include(${CMAKE_CURRENT_LIST_DIR}/MinGWRuntime.cmake)

install(TARGETS zephlan RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)

zephlan_qt_dll_dir(zephlanQtDlls)
zephlan_compiler_library_dirs(zephlanRuntimeDirs)
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES \"$<TARGET_FILE:zephlan>\"
        MODULES \"$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>\"
        DIRECTORIES \"${zephlanQtDlls}\" ${zephlanRuntimeDirs}
        RESOLVED_DEPENDENCIES_VAR found
        UNRESOLVED_DEPENDENCIES_VAR fromWindows)
    file(INSTALL \${found} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
    list(JOIN fromWindows \", \" fromWindows)
    message(STATUS \"Left to Windows: \${fromWindows}\")
")

set(CPACK_PACKAGE_NAME Zephlan)
set(CPACK_PACKAGE_VENDOR Zephlan)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
include(CPack)
