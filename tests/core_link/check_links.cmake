# Fails when the program links a window-system Qt library, or does not link
# QtCore at all (which would mean the check looked at the wrong thing).
# Usage: cmake -DPROGRAM=<path> [-DFORBID=Widgets] -P check_links.cmake
# FORBID names the Qt libraries the program may not link (default: Gui|Widgets).
if(NOT DEFINED FORBID)
    set(FORBID "Gui|Widgets")
endif()
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libs RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ldd failed on ${PROGRAM}")
endif()
if(NOT libs MATCHES "libQt6Core")
    message(FATAL_ERROR "${PROGRAM} does not link QtCore:\n${libs}")
endif()
if(libs MATCHES "libQt6(${FORBID})")
    message(FATAL_ERROR "${PROGRAM} links a window-system Qt library:\n${libs}")
endif()
message(STATUS "${PROGRAM} links none of libQt6(${FORBID})")
