# Installing Locuscope as a desktop program: the executable, its icon in the hicolor theme, a
# menu entry that opens the files the program reads, and a shared MIME package naming those
# files. Included from the top CMakeLists.txt once the `locuscope` target exists.
include(GNUInstallDirs)

# The icon is the drawing the program shows in its windows, written as PNG files at build time.
set(LOCUSCOPE_ICON_SIZES 16 22 24 32 48 64 128 256 512)
set(icon_theme_folder ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor)
set(icon_files)
foreach(size IN LISTS LOCUSCOPE_ICON_SIZES)
    list(APPEND icon_files ${icon_theme_folder}/${size}x${size}/apps/locuscope.png)
endforeach()
add_executable(locuscope_icon_writer src/app/icon_theme_writer_main.cpp)
target_link_libraries(locuscope_icon_writer PRIVATE locuscope_artwork)
add_custom_command(
    OUTPUT ${icon_files}
    COMMAND locuscope_icon_writer ${icon_theme_folder} ${LOCUSCOPE_ICON_SIZES}
    DEPENDS locuscope_icon_writer
    COMMENT "Drawing the application icon for the icon theme")
add_custom_target(locuscope_icons ALL DEPENDS ${icon_files})

# The menu entry lists every type the MIME package declares; the package is the one list.
set(mime_package ${CMAKE_CURRENT_SOURCE_DIR}/resources/locuscope_mime.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${mime_package})
file(STRINGS ${mime_package} mime_type_lines REGEX "<mime-type type=\"[^\"]+\"")
set(LOCUSCOPE_MIME_TYPES "")
foreach(line IN LISTS mime_type_lines)
    string(REGEX REPLACE ".*<mime-type type=\"([^\"]+)\".*" "\\1" type "${line}")
    string(APPEND LOCUSCOPE_MIME_TYPES "${type};")
endforeach()

install(TARGETS locuscope RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${icon_theme_folder}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${mime_package} DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME locuscope.xml)
# The entry names the executable by its full path, known only once the install prefix is
# (`cmake --install --prefix` may change it), so it is written at install time.
install(CODE "
    set(LOCUSCOPE_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(LOCUSCOPE_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(LOCUSCOPE_MIME_TYPES \"${LOCUSCOPE_MIME_TYPES}\")
    set(LOCUSCOPE_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/resources/locuscope.desktop.in\")
    set(LOCUSCOPE_STAGING_FOLDER \"${CMAKE_CURRENT_BINARY_DIR}/desktop-entry\")
    include(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/install_desktop_entry.cmake\")
")
