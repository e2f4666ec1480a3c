# Copies the contents of SOURCE into DEST when SOURCE exists (the bundle has a
# resource folder even before there are resources).
# The generator of the editor's images lives beside them but is not a resource.
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${DEST}" PATTERN "tools" EXCLUDE)
endif()
