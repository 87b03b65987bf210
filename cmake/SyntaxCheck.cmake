# tarvelin_syntax_check(NAME <target> SOURCES <files...> FLAGS <flags...>
#                       [DEPENDS <files...>])
# Compiles each source with -fsyntax-only at build time, as part of <target>:
# for code this host cannot link, such as the Windows CE path, or must also
# take as another language standard.
function(tarvelin_syntax_check)
    cmake_parse_arguments(CHECK "" "NAME" "SOURCES;FLAGS;DEPENDS" ${ARGN})
    set(stamps)
    foreach(source IN LISTS CHECK_SOURCES)
        cmake_path(GET source STEM stem)
        set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${CHECK_NAME}_${stem}.stamp)
        add_custom_command(OUTPUT ${stamp}
            COMMAND ${CMAKE_CXX_COMPILER} ${CHECK_FLAGS} -Wall -Wextra -Werror -fsyntax-only
                    -MD -MF ${stamp}.d -MT ${stamp} -I${PROJECT_SOURCE_DIR}/src ${source}
            COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
            DEPENDS ${source} ${CHECK_DEPENDS}
            DEPFILE ${stamp}.d
            COMMENT "${CHECK_NAME}: ${stem}"
            VERBATIM)
        list(APPEND stamps ${stamp})
    endforeach()
    add_custom_target(${CHECK_NAME} ALL DEPENDS ${stamps})
endfunction()
