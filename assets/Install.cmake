# Installs the program as one folder, as it runs from the build:
#   <prefix>/lib/velmora/velmora   with package/, sample/, skins/, Velmora.chm
#                                  and help/ beside it
#   <prefix>/bin/velmora           a relative link to it (the program finds its
#                                  folder through the resolved link)
# Included at the end of the top CMakeLists.txt, once every target exists.
set(VELMORA_INSTALL_DIR lib/velmora)

install(DIRECTORY ${VELMORA_STAGE_DIR}/package ${VELMORA_STAGE_DIR}/sample
        DESTINATION ${VELMORA_INSTALL_DIR}
        COMPONENT velmora)
# An empty skins/ of its own: skins saved while trying out the build stay out.
install(DIRECTORY DESTINATION ${VELMORA_INSTALL_DIR}/skins COMPONENT velmora)
# The compiled help, and the same pages for a web browser.
install(FILES ${VELMORA_STAGE_DIR}/Velmora.chm DESTINATION ${VELMORA_INSTALL_DIR}
        COMPONENT velmora)
install(DIRECTORY ${VELMORA_STAGE_DIR}/help DESTINATION ${VELMORA_INSTALL_DIR}
        COMPONENT velmora)

if(TARGET velmora)
    install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_DIR} COMPONENT velmora)
    # The link is relative, so the installed tree can be moved as a whole.
    set(program_link_target ../${VELMORA_INSTALL_DIR}/velmora)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/velmora\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK ${program_link_target} \"\${link}\" SYMBOLIC)
        message(STATUS \"Installing: \${link} -> ${program_link_target}\")
    " COMPONENT velmora)
endif()
