# Runs at install time (from cmake_install.cmake): writes the menu entry for the prefix being
# installed to, then refreshes the desktop's caches of the folders installed into, unless the
# install is staged for a package (DESTDIR, CPack), whose own installer refreshes them.

# Values of type string escape the backslash; Exec arguments in double quotes also escape '"',
# '`' and '$' (the backslash thus twice), and a literal '%' is written '%%'.
function(desktop_string value out)
    string(REPLACE "\\" "\\\\" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()
function(desktop_quoted_argument value out)
    string(REPLACE "\\" "\\\\\\\\" value "${value}")
    foreach(special "\"" "`" "$")
        string(REPLACE "${special}" "\\\\${special}" value "${value}")
    endforeach()
    string(REPLACE "%" "%%" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# GNUInstallDirs folders are relative to the prefix unless given absolute.
function(installed_folder folder out)
    if(IS_ABSOLUTE "${folder}")
        set(${out} "${folder}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
    endif()
endfunction()
installed_folder("${LOCUSCOPE_BINDIR}" bin_folder)
installed_folder("${LOCUSCOPE_DATADIR}" data_folder)
set(executable "${bin_folder}/locuscope")
desktop_quoted_argument("${executable}" LOCUSCOPE_EXEC_ARGUMENT)
desktop_string("${executable}" LOCUSCOPE_INSTALLED_EXECUTABLE)
# One staging folder per destination, so that installs to two places at once (a package and a
# prefix, say) do not write each other's entry.
string(MD5 destination "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
set(entry "${LOCUSCOPE_STAGING_FOLDER}/${destination}/locuscope.desktop")
configure_file("${LOCUSCOPE_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
file(INSTALL "${entry}" DESTINATION "${data_folder}/applications")

# A staged install (DESTDIR; CPack sets it too) is not where the files will live: the package's
# own installer refreshes the caches there (Debian does through triggers).
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()
function(refresh_cache tool)
    find_program(tool_path ${tool} NO_CACHE)
    if(NOT tool_path)
        message(STATUS "${tool} not found: skipped")
        return()
    endif()
    string(JOIN " " arguments ${ARGN})
    message(STATUS "Refreshing: ${tool} ${arguments}")
    execute_process(COMMAND ${tool_path} ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(WARNING "${tool} failed (${status}); the desktop may not see Locuscope's "
                        "file types or icon until it is run again.")
    endif()
endfunction()
refresh_cache(update-mime-database "${data_folder}/mime")
refresh_cache(update-desktop-database -q "${data_folder}/applications")
# An icon cache that exists must list the new icon; none is made where there was none.
if(EXISTS "${data_folder}/icons/hicolor/icon-theme.cache")
    refresh_cache(gtk-update-icon-cache -q -t -f "${data_folder}/icons/hicolor")
endif()
