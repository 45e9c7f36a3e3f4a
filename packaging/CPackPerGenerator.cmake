# Read by cpack once per package generator: the .deb installs the launcher's
# folder under /opt/mirto and the desktop files at their absolute places
# (hence DESTDIR); the portable archive holds the launcher's folder alone.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "${CPACK_MIRTO_DEB_PREFIX}")
  # Whatever prefix the build folder was configured with.
  set(CPACK_INSTALL_PREFIX "${CPACK_MIRTO_DEB_PREFIX}")
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_COMPONENTS_ALL launcher desktop)
endif()
