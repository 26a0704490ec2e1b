# Zephlan for Windows as a folder that runs by itself (cmake/Packaging.cmake
# makes a zip of it): the program, Qt's Windows platform plugin, and every DLL these import that lies
# in Qt's or the compiler's folders (the Qt libraries and the MinGW runtime),
# found with objdump when installing. What is found in neither comes with
# Windows itself.
include(${CMAKE_CURRENT_LIST_DIR}/MinGWRuntime.cmake)

install(TARGETS zephlan RUNTIME DESTINATION .)

zephlan_qt_dll_dir(zephlanQtDlls)
zephlan_compiler_library_dirs(zephlanRuntimeDirs)
install(CODE "
    set(ZEPHLAN_DEPLOY_PROGRAM \"$<TARGET_FILE:zephlan>\")
    set(ZEPHLAN_DEPLOY_PLATFORM \"$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>\")
    set(ZEPHLAN_DEPLOY_DIRS \"${zephlanQtDlls}\" \"${zephlanRuntimeDirs}\")
    set(ZEPHLAN_DEPLOY_LINKS \"${CMAKE_BINARY_DIR}/deploy-dll-links\")
    set(ZEPHLAN_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(ZEPHLAN_STRIP \"${CMAKE_STRIP}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallWindowsRuntime.cmake)
