# What `cmake --install` puts where (docs/install.md), the manual pages and
# the Debian package.  Included after every target exists.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(lumira_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/LumiraPad)
set(lumira_include_dir ${CMAKE_INSTALL_INCLUDEDIR}/lumira)

# The libraries a host links to embed the pad, with their public headers;
# the chart and the Stellarium control only serve the programs.
set(lumira_exported qelacl qelfw qelreg qelcst qelobs qelpad qelsky)
set(lumira_private qelchart qelstel)
set(lumira_programs lumira lumira-sky)

foreach(target ${lumira_exported})
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${lumira_include_dir}>)
endforeach()
# Libraries find each other beside themselves, programs one folder over.
set_target_properties(${lumira_exported} ${lumira_private} PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(${lumira_programs} PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS ${lumira_exported} EXPORT LumiraPadTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS ${lumira_private} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS ${lumira_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Headers keep their folders: they include each other as "pad/...".
install(DIRECTORY framework host DESTINATION ${lumira_include_dir} FILES_MATCHING PATTERN "*.h")
install(FILES pad/lumirapad.h pad/module.h pad/time_systems.h DESTINATION ${lumira_include_dir}/pad)
install(FILES sky/engine.h sky/instant.h sky/sky_state.h DESTINATION ${lumira_include_dir}/sky)

install(EXPORT LumiraPadTargets NAMESPACE LumiraPad:: DESTINATION ${lumira_config_dir})
configure_package_config_file(packaging/LumiraPadConfig.cmake.in
  ${CMAKE_BINARY_DIR}/LumiraPadConfig.cmake INSTALL_DESTINATION ${lumira_config_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/LumiraPadConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/LumiraPadConfig.cmake ${CMAKE_BINARY_DIR}/LumiraPadConfigVersion.cmake
        DESTINATION ${lumira_config_dir})

# The desktop: menu entry, icon, software-centre metadata.
install(FILES packaging/lumira.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/lumira.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/org.lumirapad.Lumira.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages from the programs' own --help and --version, so that they
# list exactly the options the programs take; packaging/*.h2m adds the
# sections --help does not hold.  help2man runs each program by its bare
# name, so the page's synopsis names it as a user types it.
find_program(LUMIRA_HELP2MAN help2man)
if(LUMIRA_HELP2MAN AND NOT LUMIRA_SANITIZE)
  set(pages)
  foreach(program ${lumira_programs})
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:${program}>:$ENV{PATH}"
              ${LUMIRA_HELP2MAN} --no-info
              --include=${CMAKE_SOURCE_DIR}/packaging/${program}.h2m --output=${page} ${program}
      DEPENDS ${program} ${CMAKE_SOURCE_DIR}/packaging/${program}.h2m
      VERBATIM)
    list(APPEND pages ${page})
  endforeach()
  add_custom_target(manpages ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found (or a sanitizer build): no manual pages")
endif()

# The Debian package: cmake --build build --target package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumira)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lumira developers <lumira@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planetarium star chart steered by a date-and-time pad")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumira shows the sky of a chosen place and time with a pad that steps the\ndate, time, place and limiting magnitude digit by digit.  The package also\nholds the pad's headers and CMake package for hosts that embed it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
# Read at run time, so no library names them: the Qt platform plugins,
# the Japanese font the pad's texts are drawn in, the star catalogue.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, xplanet")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-base-dev")
include(CPack)
