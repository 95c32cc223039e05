# Where an installed build puts its parts. The whole tree moves with its
# prefix: the programs find their plug-ins through a $ORIGIN-relative RUNPATH
# and their data through a path relative to their own folder.
set(PELMORA_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/pelmora)
set(PELMORA_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/pelmora)
set(PELMORA_APP_ID org.pelmora.Velmet)

file(RELATIVE_PATH PELMORA_LIB_FROM_PROGRAM
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${PELMORA_INSTALL_LIBDIR})
file(RELATIVE_PATH PELMORA_DATA_FROM_PROGRAM
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${PELMORA_INSTALL_DATADIR})

# An installed program: bin, with the RUNPATH that finds the plug-ins (loaded
# by bare name once the program's own folder does not hold them).
function(pelmora_install_program target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${PELMORA_LIB_FROM_PROGRAM}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# A library the programs load at run time: their own lib folder, not the
# system's search path.
function(pelmora_install_plugin target)
  install(TARGETS ${target} LIBRARY DESTINATION ${PELMORA_INSTALL_LIBDIR} NAMELINK_SKIP)
endfunction()
