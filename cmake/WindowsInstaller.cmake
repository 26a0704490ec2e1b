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
# There is no licence to agree to: without this, CPack shows a page of placeholder text.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_PACKAGE_EXECUTABLES zephlan Zephlan)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME zephlan.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/common/resources/app.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/common/resources/app.ico)

# A 64-bit installer for the 64-bit program: it writes the 64-bit registry, not WOW6432Node, and
# runs under a Wine without 32-bit support. Debian's NSIS has the amd64 stubs and plug-ins.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
