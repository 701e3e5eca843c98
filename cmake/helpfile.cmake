# Help files are compiled from one HTML source each with chmcmd (Debian's fp-utils), through
# help/make-chm.sh. Wextor5.chm goes into the build folder, beside Wextor5.exe: sets
# WEXTOR_HELP_CHM (empty when chmcmd is missing) and the target helpfile.
find_program(CHMCMD chmcmd)
if(NOT CHMCMD)
    message(STATUS "chmcmd not found: no help files, their tests skip")
endif()

# wextor_add_chm(TARGET SOURCE FOLDER NAME TITLE OUT_VAR): FOLDER/NAME.chm built by TARGET (part
# of ALL); OUT_VAR gets its path, or stays empty without chmcmd.
function(wextor_add_chm target source folder name title out_var)
    set(${out_var} "" PARENT_SCOPE)
    if(NOT CHMCMD)
        return()
    endif()
    set(chm ${folder}/${name}.chm)
    add_custom_command(OUTPUT ${chm}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${WEXTOR_EPOCH_ENV} bash ${CMAKE_SOURCE_DIR}/help/make-chm.sh ${source} ${folder} ${name} ${title}
        DEPENDS ${source} ${CMAKE_SOURCE_DIR}/help/make-chm.sh
        COMMENT "Building ${name}.chm" VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${chm})
    set(${out_var} ${chm} PARENT_SCOPE)
endfunction()

wextor_add_chm(helpfile ${CMAKE_SOURCE_DIR}/help/Wextor5-help.html ${CMAKE_BINARY_DIR} Wextor5
               "Wextor 5 Help" WEXTOR_HELP_CHM)
