# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs.
# Included from the top CMakeLists.txt after the install rules.
set(CPACK_PACKAGE_NAME locuscope)
# All four parts of the project version; CPack's default keeps only three.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Locuscope developers")
set(CPACK_PACKAGE_CONTACT "Locuscope developers <maintainers@locuscope.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for genomic feature files (GFF and BED)")
# Debian wants the lines of the long description under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Locuscope shows GFF, GTF and BED files, plain or gzip-compressed, as\n"
    "tracks along the chromosome: one track per GFF feature type or BED track,\n"
    "one chromosome at a time. Users zoom, scroll and jump to positions,\n"
    "select regions, search the features' attributes, export the selected\n"
    "features as GFF, and export or print the drawing. The same program\n"
    "draws, searches and exports without a window from the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://locuscope.example.org/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the executable links come from dpkg-shlibdeps; what it loads at run time is named
# here: the image plugins for TIFF export, and the fonts the pictures are drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The last three keep the desktop's icon, type and menu caches fresh through their triggers.
string(CONCAT CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-image-formats-plugins, fonts-liberation, "
    "hicolor-icon-theme, shared-mime-info, desktop-file-utils")
include(CPack)
