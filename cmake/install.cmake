# Installing the Linux tool (`cmake --install`) and packaging it for Debian (`cpack -G DEB`).
#
#   bin/orvpatch                      the tool
#   share/orvpatch/patch.exe          the Windows patch program, the stub of `orvpatch build`,
#                                     when the win32 preset of this tree has built it
#   share/doc/orvpatch/               README.md, docs/ and the Debian copyright file
#   share/man/man1/orvpatch.1         the manual page          } written by the built tool from
#   share/bash-completion/completions/orvpatch  } its command declarations
#
# orvpatch finds the stub relative to its own executable (src/cli/default_stub.cpp), so an
# installed tree works wherever its prefix is.
include(GNUInstallDirs)

set(ORVPATCH_STUB_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/orvpatch)
# Where the stub is seen from the installed program's folder, e.g. ../share/orvpatch/patch.exe.
file(RELATIVE_PATH ORVPATCH_STUB_FROM_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${ORVPATCH_STUB_INSTALL_DIR}/patch.exe)
set(ORVPATCH_BUILT_STUB ${PROJECT_SOURCE_DIR}/build/win32/src/app/win32/patch.exe)

function(orvpatch_install_tool target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The stub is installed when it exists at install time (no empty folder otherwise).
  install(CODE "
    if(EXISTS \"${ORVPATCH_BUILT_STUB}\")
      file(INSTALL \"${ORVPATCH_BUILT_STUB}\"
           DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${ORVPATCH_STUB_INSTALL_DIR}\")
    endif()")
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
          FILES_MATCHING PATTERN "*.md")
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  orvpatch_tool_docs(${target})
endfunction()

# The manual page and the bash completion, written at build time by the tool itself
# (`orvpatch --man`, `orvpatch --bash-completion`), so that both list exactly the commands and
# options it takes. A tool built for another system cannot run here; it gets neither.
function(orvpatch_tool_docs target)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  set(man ${CMAKE_CURRENT_BINARY_DIR}/orvpatch.1)
  set(completion ${CMAKE_CURRENT_BINARY_DIR}/orvpatch.bash)
  add_custom_command(OUTPUT ${man} ${completion}
    COMMAND sh -c "\"$0\" --man > \"$1\" && \"$0\" --bash-completion > \"$2\""
            $<TARGET_FILE:${target}> ${man} ${completion}
    DEPENDS ${target}
    COMMENT "Writing the manual page and the bash completion of ${target}"
    VERBATIM)
  add_custom_target(${target}_docs ALL DEPENDS ${man} ${completion})
  install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME orvpatch)
endfunction()

set(CPACK_PACKAGE_NAME orvpatch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Apply, inspect and build self-applying game patches")
set(CPACK_PACKAGE_CONTACT "orvpatch developers <orvpatch@example.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The C and C++ runtime libraries the tool links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# apply finds a game's folder in a Wine prefix's registry; it does not run Wine.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
# The extended description below the summary line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "orvpatch works with the patch executables of a Windows game patcher without
Windows: it applies a patch to a game's installation folder (or plans the run
without writing anything), shows what a patch holds, builds a patch from a
manifest, and lists, extracts and creates the game's LINK archives.")
include(CPack)
