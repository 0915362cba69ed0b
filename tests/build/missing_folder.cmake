# A library naming a folder that is not there must stop the configuration, not build without it.
include(${RULES})
velmorant_library(probe DIRS no/such/folder)
