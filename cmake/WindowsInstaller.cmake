# The Windows installer CPack makes beside the zip (NSIS, with Debian's makensis): per machine
# into Program Files\Zephlan, a Start menu shortcut, and an entry in the installed-programs list
# whose uninstaller takes all of it away again. /S installs and uninstalls silently.

set(CPACK_NSIS_PACKAGE_NAME Zephlan)
set(CPACK_NSIS_DISPLAY_NAME Zephlan)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zephlan)
# Without the version in the key, the next version's installer finds this one and removes it first.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Zephlan)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# The program is one folder: no bin\ to put on PATH, hence no page asking about it.
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_PACKAGE_EXECUTABLES zephlan Zephlan)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME zephlan.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/common/resources/app.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/common/resources/app.ico)

# CPack's own NSIS script, told to use the 64-bit registry: NSIS makes a 32-bit installer,
# which would otherwise file a 64-bit program's entries under WOW6432Node.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
foreach(function IN ITEMS .onInit un.onInit)
    string(FIND "${template}" "\nFunction ${function}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "CMake's NSIS.template.in has no function ${function} to set the registry view in")
    endif()
    string(REPLACE "\nFunction ${function}\n" "\nFunction ${function}\n  SetRegView 64\n" template "${template}")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
