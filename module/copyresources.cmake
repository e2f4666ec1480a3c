# Copies the contents of SOURCE into DEST when SOURCE exists (the bundle has a
# resource folder even before there are resources).
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${DEST}")
endif()
