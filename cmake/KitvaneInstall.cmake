# Installed layout: executables and templates together in <prefix>/lib/kitvane, so each executable finds
# the templates beside itself; <prefix>/bin holds links to the executables.
set(KITVANE_INSTALL_DIR lib/kitvane)

function(kitvane_install_executable target)
  install(TARGETS ${target} RUNTIME DESTINATION ${KITVANE_INSTALL_DIR})
  if(NOT WIN32)
    install(CODE "
      set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
      file(MAKE_DIRECTORY \"\${bin}\")
      file(CREATE_LINK \"../${KITVANE_INSTALL_DIR}/$<TARGET_FILE_NAME:${target}>\" \"\${bin}/$<TARGET_FILE_NAME:${target}>\" SYMBOLIC)
    ")
  endif()
endfunction()
