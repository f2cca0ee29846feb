# Installing tamrix and making its Debian package: the version header, the
# place of the data files, the install() rules (programs, examples, desktop
# entry, icon, man pages, help text, licence and changelog) and CPack's DEB
# generator.
# Included by the top CMakeLists.txt once the targets exist. Leaves out other
# package formats and a debian/ source package.
#   cmake --install BUILD --prefix PREFIX     (a plain install)
#   bash tools/package.sh                     (the .deb)

include(GNUInstallDirs)

option(TAMRIX_DONNEES_SOURCES
       "Programs run from the build tree find their data files in the source tree (OFF for a package: no build path in the binaries)"
       ON)

set(TAMRIX_GENERE ${CMAKE_CURRENT_BINARY_DIR}/genere)
set(TAMRIX_EXEMPLES ${CMAKE_INSTALL_FULL_DATADIR}/tamrix/examples)

# The version header, remade at each build so that it names the commit the
# programs are built from; tamrix, tamrix-run and the About window
# include it.
find_package(Git QUIET)
add_custom_target(tamrix_version
  COMMAND ${CMAKE_COMMAND} -DSOURCES=${CMAKE_CURRENT_SOURCE_DIR}
          -DSORTIE=${TAMRIX_GENERE}/tamrix_version.h
          -DVERSION=${PROJECT_VERSION} -DGIT=${GIT_EXECUTABLE}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/version.cmake
  BYPRODUCTS ${TAMRIX_GENERE}/tamrix_version.h
  VERBATIM)

# Data files: PREFIX/share/tamrix once installed (see text/installation.h).
if(TAMRIX_DONNEES_SOURCES)
  set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/text/installation.cpp
               APPEND PROPERTY COMPILE_DEFINITIONS
               TAMRIX_DOSSIER_SOURCES="${CMAKE_CURRENT_SOURCE_DIR}")
endif()
install(DIRECTORY examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tamrix/examples
        FILES_MATCHING PATTERN "*.s" PATTERN "*.asm" PATTERN "*.s19")
# The text of the "AIDE..." window.
install(FILES docs/aide.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/tamrix/docs)

# The programs, each with its man page made by help2man from its --help
# (read in a UTF-8 locale: the texts have accents).
find_program(TAMRIX_HELP2MAN help2man)
if(NOT TAMRIX_HELP2MAN)
  message(STATUS "help2man not found: no man pages")
endif()
set(TAMRIX_RESUME_tamrix
    "simulateur pas a pas du microcontroleur 68HC11")
set(TAMRIX_RESUME_tamrix-run
    "execute un programme 68HC11 sans fenetre et affiche l'etat final")
set(TAMRIX_RESUME_tamrix-as
    "assembleur 68HC11 de la syntaxe Motorola : image S19 et listage")
set(TAMRIX_PAGES_MAN)
# The About window shows the version --version prints.
if(TARGET tamrix_gui)
  add_dependencies(tamrix_gui tamrix_version)
  target_include_directories(tamrix_gui PRIVATE ${TAMRIX_GENERE})
endif()
foreach(programme tamrix tamrix-run tamrix-as)
  if(NOT TARGET ${programme})
    continue()
  endif()
  add_dependencies(${programme} tamrix_version)
  target_include_directories(${programme} PRIVATE ${TAMRIX_GENERE})
  install(TARGETS ${programme} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TAMRIX_HELP2MAN)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${programme}.1)
    configure_file(packaging/${programme}.h2m.in
                   ${CMAKE_CURRENT_BINARY_DIR}/man/${programme}.h2m @ONLY)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${TAMRIX_HELP2MAN} --no-info --section=1 --locale=C.UTF-8
              --version-string=${PROJECT_VERSION}
              --name=${TAMRIX_RESUME_${programme}}
              --include=${CMAKE_CURRENT_BINARY_DIR}/man/${programme}.h2m
              --output=${page} $<TARGET_FILE:${programme}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${programme} ${CMAKE_CURRENT_BINARY_DIR}/man/${programme}.h2m
      COMMENT "Man page of ${programme}"
      VERBATIM)
    list(APPEND TAMRIX_PAGES_MAN ${page}.gz)
  endif()
endforeach()
if(TAMRIX_PAGES_MAN)
  add_custom_target(pages_man ALL DEPENDS ${TAMRIX_PAGES_MAN})
  install(FILES ${TAMRIX_PAGES_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(TARGET tamrix)
  install(FILES packaging/tamrix.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/tamrix.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# The package's maintainer: DEBFULLNAME and DEBEMAIL as for Debian's own
# tools, else the project's name for its authors.
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
  set(mainteneur "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(mainteneur "les auteurs de tamrix <tamrix@example.org>")
endif()
set(TAMRIX_MAINTENEUR "${mainteneur}" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

# Licence in Debian's machine-readable form, made from LICENSE.
file(STRINGS LICENSE ligne_copyright REGEX "^Copyright" LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright \\(c\\) " "" TAMRIX_COPYRIGHT
       "${ligne_copyright}")
file(READ LICENSE licence)
string(FIND "${licence}" "Permission" debut)
string(SUBSTRING "${licence}" ${debut} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
set(TAMRIX_LICENCE " ${licence}")
configure_file(packaging/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright
               @ONLY)

# A Debian changelog of one entry for this version, dated by
# SOURCE_DATE_EPOCH when set (tools/package.sh sets the last commit's date).
string(TIMESTAMP date_changelog "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog
"tamrix (${PROJECT_VERSION}) unstable; urgency=medium

  * tamrix ${PROJECT_VERSION}, construit depuis ses sources.

 -- ${TAMRIX_MAINTENEUR}  ${date_changelog}
")
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog
  VERBATIM)
add_custom_target(changelog ALL
                  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: cpack -G DEB in a build configured with
# CMAKE_INSTALL_PREFIX=/usr (tools/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "les auteurs de tamrix")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAMRIX_MAINTENEUR}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS binutils-m68hc1x)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "simulator of the MC68HC11 microcontroller for assembly classes")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"tamrix runs programs for the Motorola MC68HC11 (68HC711E9) one instruction
at a time and shows the registers and flags, a disassembly that follows the
PC, a dump of the 64 KiB address space and the bits of ports A to E, which
the user can toggle. Its interface is in French. tamrix-run runs a program
without a window and prints its final state on one line, for grading
scripts. Example programs are in /usr/share/tamrix/examples; the GNU
assembler for the 68HC11 (binutils-m68hc1x) assembles new ones.

tamrix exécute pas à pas les programmes du Motorola MC68HC11 (68HC711E9) et
affiche les registres et drapeaux, un désassemblage qui suit le PC, un dump
des 64 Kio de mémoire et les bits des ports A à E, que l'on peut basculer.
tamrix-run exécute un programme sans fenêtre et écrit son état final sur une
ligne, pour les scripts de correction. Des programmes d'exemple sont dans
/usr/share/tamrix/examples ; l'assembleur GNU du 68HC11 (binutils-m68hc1x)
en assemble de nouveaux.")
string(REPLACE "/usr/share/tamrix/examples" "${TAMRIX_EXEMPLES}"
       CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
include(CPack)
