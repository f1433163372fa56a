# Where `cmake --install` puts things, relative to the install prefix, and the run paths that let
# the installed programs, libraries and plugins find each other wherever the tree is moved to.
include(GNUInstallDirs)

foreach(dir BINDIR LIBDIR INCLUDEDIR DATAROOTDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
        message(FATAL_ERROR "CMAKE_INSTALL_${dir} must be relative to the install prefix: the "
                            "installed tree finds its parts relative to each other")
    endif()
endforeach()

set(QUARRO_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/quarro)
set(QUARRO_INSTALL_PLUGINDIR ${CMAKE_INSTALL_LIBDIR}/quarro/plugins)
set(QUARRO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quarro)

# quarro_relative_install_path(<var> <from> <to>): the path from one install folder to another,
# "." when they are the same.
function(quarro_relative_install_path var from to)
    file(RELATIVE_PATH path /prefix/${from} /prefix/${to})
    string(REGEX REPLACE "/$" "" path "${path}")
    if(path STREQUAL "")
        set(path ".")
    endif()
    set(${var} ${path} PARENT_SCOPE)
endfunction()

# quarro_install_rpath(<target> <install folder of the target>): the installed target finds the
# project's libraries through a run path relative to its own location ($ORIGIN).
function(quarro_install_rpath target folder)
    quarro_relative_install_path(to_libraries ${folder} ${CMAKE_INSTALL_LIBDIR})
    if(to_libraries STREQUAL ".")
        set(rpath "$ORIGIN")
    else()
        set(rpath "$ORIGIN/${to_libraries}")
    endif()
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "${rpath}")
endfunction()
