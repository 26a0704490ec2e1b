# What `cmake --install` puts where, and the package CPack makes of it.
# Each platform's package has a branch of its own below, before include(CPack).

include(GNUInstallDirs)

# The desktop entry, icon and AppStream metadata share one name.
set(ZEPHLAN_APP_ID org.example.zephlan)

set(CPACK_PACKAGE_NAME zephlan)
set(CPACK_PACKAGE_VENDOR ${ZEPHLAN_VENDOR})
set(CPACK_PACKAGE_CONTACT "Zephlan Project <support@zephlan.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Writes AI traffic flight plans for Flight Simulator 2004")
set(CPACK_PACKAGE_DESCRIPTION "Zephlan reads the airports list and the aircraft list that TTools writes
from a Flight Simulator 2004 traffic file into pick lists. Each press of Save
Flight Plan appends one flight-plan line to a text file of the user's choice.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.zephlan.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsDeploy.cmake)
    set(CPACK_PACKAGE_NAME Zephlan)
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_GENERATOR ZIP NSIS)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
    if(ZEPHLAN_BUILD_TESTS AND CMAKE_CROSSCOMPILING)
        # The installer under Wine: installed, started, uninstalled.
        add_test(NAME wine_installer
            COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/tests/wine_installer.sh
                ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} "${CPACK_PACKAGE_VENDOR}")
        set_tests_properties(wine_installer PROPERTIES LABELS "wine;package" TIMEOUT 600)
    endif()
else()
    install(TARGETS zephlan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Every library the program links comes from the system: no search path of its own.
    set_target_properties(zephlan PROPERTIES INSTALL_RPATH "")
    set(linux ${PROJECT_SOURCE_DIR}/packaging/linux)
    set(hicolor ${PROJECT_SOURCE_DIR}/ui/common/resources/hicolor)
    install(FILES ${linux}/${ZEPHLAN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${linux}/${ZEPHLAN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN ITEMS 16 32 48 64 128 256)
        install(FILES ${hicolor}/${size}.png RENAME ${ZEPHLAN_APP_ID}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${hicolor}/scalable.svg RENAME ${ZEPHLAN_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    # The libraries the program links, with their versions, as dpkg-shlibdeps finds them.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The captions are laid out for a face with the widths of MS Sans Serif.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")

    if(ZEPHLAN_BUILD_TESTS)
        zephlan_add_x11_test(x11_package ${PROJECT_SOURCE_DIR}/packaging/tests/x11_package.sh ${PROJECT_BINARY_DIR})
        set_property(TEST x11_package APPEND PROPERTY LABELS package)
    endif()
endif()

include(CPack)
