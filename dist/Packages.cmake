# Two Debian packages from this tree, built by tools/package.sh into build/packages/:
# ordalis (the desktop program) and ordalis-service (the score service as a system service).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ordalis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ordalis developers")
set(CPACK_PACKAGE_CONTACT "Ordalis developers <dev@ordalis.invalid>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL app service)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_APP_PACKAGE_NAME ordalis)
# Loaded by Qt at run time, so no shared-library dependency names them.
set(CPACK_DEBIAN_APP_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_APP_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
set(CPACK_DEBIAN_APP_PACKAGE_SUGGESTS "ordalis-service")
set(CPACK_DEBIAN_APP_DESCRIPTION "roll-call and scoring tool for the classroom
Ordalis is the roll-call and scoring tool a teacher uses in front of a class: it
rolls the names of a class in a large display, stops on one student, and records
a score on the lesson's topic. Scores go to a daily log and are uploaded to the
school's score service, or to one the program runs itself.")

set(CPACK_DEBIAN_SERVICE_PACKAGE_NAME ordalis-service)
set(CPACK_DEBIAN_SERVICE_PACKAGE_DEPENDS "libqt6sql6-sqlite, systemd | adduser")
set(CPACK_DEBIAN_SERVICE_PACKAGE_SUGGESTS "libqt6sql6-psql")
set(CPACK_DEBIAN_SERVICE_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/prerm
    ${CMAKE_CURRENT_LIST_DIR}/debian/postrm ${CMAKE_CURRENT_LIST_DIR}/debian/conffiles)
set(CPACK_DEBIAN_SERVICE_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_SERVICE_DESCRIPTION "score service of Ordalis, run by systemd
The score service keeps every teacher's classes, students, topics, scoring
standards and scores for the Ordalis program, and shows a teacher's latest
scores in the browser. This package runs it as a system service with its own
user, its database in /var/lib/ordalis and its settings in
/etc/ordalis/service.ini.")

include(CPack)
