# The MinGW-w64 toolchain together with the Qt for Windows that
# scripts/windows/build-qt.sh builds into the cache: ZEPHLAN_QT_MINGW when set,
# else ${XDG_CACHE_HOME:-$HOME/.cache}/zephlan/qt-6.4.2-mingw. Its host tools
# (moc, rcc, uic) come from the machine's own Qt of the same version.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

if(DEFINED ENV{ZEPHLAN_QT_MINGW})
    set(ZEPHLAN_QT_MINGW "$ENV{ZEPHLAN_QT_MINGW}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(ZEPHLAN_QT_MINGW "$ENV{XDG_CACHE_HOME}/zephlan/qt-6.4.2-mingw")
else()
    set(ZEPHLAN_QT_MINGW "$ENV{HOME}/.cache/zephlan/qt-6.4.2-mingw")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH "${ZEPHLAN_QT_MINGW}")
list(APPEND CMAKE_PREFIX_PATH "${ZEPHLAN_QT_MINGW}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
