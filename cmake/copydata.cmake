# Copies data/ (Bases, Help, Zones) beside the executables; a clone without
# some of those folders still builds.
if(EXISTS "${SRC}")
  file(COPY "${SRC}/" DESTINATION "${DST}")
endif()
