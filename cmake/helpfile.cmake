# The help file Wextor5.chm, compiled from the one help source (help/Wextor5-help.html) with
# chmcmd (Debian's fp-utils) into the build folder, beside Wextor5.exe. Sets WEXTOR_HELP_CHM
# (empty when chmcmd is missing) and the target helpfile.
find_program(CHMCMD chmcmd)
set(WEXTOR_HELP_CHM "")
if(CHMCMD)
    set(WEXTOR_HELP_CHM ${CMAKE_BINARY_DIR}/Wextor5.chm)
    add_custom_command(OUTPUT ${WEXTOR_HELP_CHM}
        COMMAND bash ${CMAKE_SOURCE_DIR}/help/make-chm.sh ${CMAKE_SOURCE_DIR}/help/Wextor5-help.html
                ${CMAKE_BINARY_DIR}
        DEPENDS ${CMAKE_SOURCE_DIR}/help/Wextor5-help.html ${CMAKE_SOURCE_DIR}/help/make-chm.sh
        COMMENT "Building Wextor5.chm" VERBATIM)
    add_custom_target(helpfile ALL DEPENDS ${WEXTOR_HELP_CHM})
else()
    message(STATUS "chmcmd not found: no help file, its test skips")
endif()
