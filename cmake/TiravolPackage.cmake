# The Debian package (scripts/package.sh): `cpack -G DEB` in a Release build tree. What goes in
# is what `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tiravol)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Équipe Tiravol")
set(CPACK_PACKAGE_CONTACT "Équipe Tiravol <contact@tiravol.fr>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "statistics of the French Keno lottery draws")
set(CPACK_PACKAGE_DESCRIPTION
    "Tiravol keeps the whole history of the draws of the French Keno game
(twenty numbers out of 70, drawn twice a day), brings it up to date from the
operator's results archive or by hand, and reports appearances, gaps and
rankings over a study period narrowed by date, month, weekday and draw time.
It also counts the draws by groups of numbers, finds the best partners and the
most frequent combinations of a set, computes what a set would have earned,
proposes a selection of numbers, and sets every figure against pure chance.

The package holds the window (tiravol) and a command-line companion
(tiravol-cli) that prints the same reports. Everything the program shows is
in French.")

# tiravol_<version>_amd64.deb: a package of its own making, so no Debian revision.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tiravol.fr/)
# The libraries come from what the programs link (dpkg-shlibdeps); Qt's French texts for the
# dialogs' buttons, a font, and the desktop's opener of the help and the web page are wished for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core | fonts-freefont-ttf, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Directories as Debian wants them whatever the umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                                WORLD_EXECUTE)
include(CPack)
