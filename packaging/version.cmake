# Writes the version header (cmake -P, at each build): VERSION as given and
# the commit of the checkout at SOURCES, with ", modifie" when tracked files
# differ from it. Outside a checkout of its own (a source tarball, even one
# unpacked inside another repository) the commit is empty. The header is
# rewritten only when its text changes, so an unchanged commit rebuilds
# nothing.
#   cmake -DSOURCES=dir -DSORTIE=file.h -DVERSION=x.y.z [-DGIT=git] -P version.cmake
set(COMMIT "")
if(GIT AND EXISTS "${SOURCES}/.git")
  execute_process(COMMAND "${GIT}" -C "${SOURCES}" rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit RESULT_VARIABLE statut
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(statut EQUAL 0 AND commit MATCHES "^[0-9a-f]+$")
    set(COMMIT "${commit}")
    # --no-optional-locks: never write the index while a developer works.
    execute_process(COMMAND "${GIT}" --no-optional-locks -C "${SOURCES}"
                            status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE modifications RESULT_VARIABLE statut
                    ERROR_QUIET)
    if(statut EQUAL 0 AND NOT modifications STREQUAL "")
      string(APPEND COMMIT ", modifie")
    endif()
  endif()
endif()
get_filename_component(modele "${CMAKE_CURRENT_LIST_DIR}/tamrix_version.h.in"
                       ABSOLUTE)
configure_file("${modele}" "${SORTIE}" @ONLY)
