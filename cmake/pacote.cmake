# What the installation adds beyond the programs and the engine (manual
# pages, desktop entries, icons, help pages, the copyright notice) and the
# Debian package that CPack makes of it:
#   cmake --build build --target package   →   quillane_VERSION_amd64.deb

set(QUILLANE_PACOTE_DIR "${PROJECT_SOURCE_DIR}/pacote")
set(QUILLANE_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/quillane")

# Manual pages, compressed the way Debian ships them (-n: no name or time
# stamp inside, so the same page always gives the same file).
find_program(GZIP_EXE gzip REQUIRED)
set(MANUAIS vertal.1 dic.1 sorvane.1 ardeno.8)
set(MANUAIS_GZ)
foreach(idioma IN ITEMS "" "pt_BR")
  foreach(pagina IN LISTS MANUAIS)
    if(idioma)
      set(fonte "${PROJECT_SOURCE_DIR}/docs/man/${idioma}/${pagina}")
      set(destino "${CMAKE_BINARY_DIR}/man/${idioma}/${pagina}.gz")
      set(pasta_man "${CMAKE_INSTALL_MANDIR}/${idioma}")
    else()
      set(fonte "${PROJECT_SOURCE_DIR}/docs/man/${pagina}")
      set(destino "${CMAKE_BINARY_DIR}/man/${pagina}.gz")
      set(pasta_man "${CMAKE_INSTALL_MANDIR}")
    endif()
    string(REGEX REPLACE "^.*\\.([0-9])$" "\\1" secao "${pagina}")
    get_filename_component(pasta_destino "${destino}" DIRECTORY)
    add_custom_command(
      OUTPUT "${destino}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${pasta_destino}"
      COMMAND ${GZIP_EXE} -9nc "${fonte}" > "${destino}"
      DEPENDS "${fonte}"
      VERBATIM)
    list(APPEND MANUAIS_GZ "${destino}")
    install(FILES "${destino}" DESTINATION "${pasta_man}/man${secao}")
  endforeach()
endforeach()

configure_file("${QUILLANE_PACOTE_DIR}/changelog.in" "${CMAKE_BINARY_DIR}/pacote/changelog" @ONLY)
set(CHANGELOG_GZ "${CMAKE_BINARY_DIR}/pacote/changelog.gz")
add_custom_command(
  OUTPUT "${CHANGELOG_GZ}"
  COMMAND ${GZIP_EXE} -9nc "${CMAKE_BINARY_DIR}/pacote/changelog" > "${CHANGELOG_GZ}"
  DEPENDS "${CMAKE_BINARY_DIR}/pacote/changelog"
  VERBATIM)
add_custom_target(documentacao ALL DEPENDS ${MANUAIS_GZ} "${CHANGELOG_GZ}")

install(FILES "${QUILLANE_PACOTE_DIR}/copyright" "${CHANGELOG_GZ}" DESTINATION "${QUILLANE_DOCDIR}")
install(FILES "${QUILLANE_PACOTE_DIR}/quillane-dic.desktop" "${QUILLANE_PACOTE_DIR}/quillane-sorvane.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${QUILLANE_PACOTE_DIR}/quillane-dic.svg" "${QUILLANE_PACOTE_DIR}/quillane-sorvane.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${QUILLANE_PACOTE_DIR}/quillane.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${QUILLANE_PACOTE_DIR}/lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME quillane)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/ajuda/" DESTINATION "${CMAKE_INSTALL_DATADIR}/quillane/ajuda")

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quillane developers")
set(CPACK_PACKAGE_CONTACT "Quillane developers <quillane@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English to Brazilian Portuguese translator")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillane translates English text, HTML and RTF documents into Brazilian
Portuguese, keeping markup, links and formatting. The suite holds the
translation engine with its general dictionary and verb table, the
command-line translator vertal (files and the clipboard), the dictionary
editor dic for personal dictionaries, and the web proxy sorvane, through
which a browser reads English pages in Portuguese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillane developers <quillane@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds what the programs link against; libcurl is named as
# well because the post-installation check loads it at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${QUILLANE_DADOS_DIR}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xclip | wl-clipboard")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${QUILLANE_PACOTE_DIR}/postinst" "${QUILLANE_PACOTE_DIR}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
