# What `cmake --install` puts into the prefix (CMAKE_INSTALL_PREFIX, default
# /usr/local, or `cmake --install <build> --prefix <folder>`): one rule per
# product. Each user's data path is then made by bin/vandrel-setup from the
# templates under share/vandrel/ (see app/setup/include/setup/Installation.h
# for the whole layout). The substance library lib/vandrel/libvorn.so and its
# store are installed by platform/vorn.

# Programs.
install(TARGETS Tesvorik RUNTIME DESTINATION bin)
install(TARGETS vandrel-setup RUNTIME DESTINATION bin)

# The desktop program Vandrel: its rule is this one, taken up as soon as the
# program's target exists. It reads data/CropArea/default.CropArea,
# data/resources/ and libfbclient.so from its own program folder (bin/), so
# these need rules beside it that place them there.
if(TARGET Vandrel)
  install(TARGETS Vandrel RUNTIME DESTINATION bin)
endif()

# The user's data folder as installed, copied into the data path by the setup.
set(vandrel_templates share/vandrel)
install(FILES ${VANDREL_PROJECT_DATABASE} DESTINATION ${vandrel_templates}/data)
install(FILES data/PEC/Names.inp DESTINATION ${vandrel_templates}/data/PEC)
install(FILES data/CropArea/default.CropArea DESTINATION ${vandrel_templates}/data/CropArea)
# The information windows' pictures, from data/resources/ once it holds them.
if(EXISTS ${PROJECT_SOURCE_DIR}/data/resources)
  install(DIRECTORY data/resources/ DESTINATION ${vandrel_templates}/data/resources)
else()
  install(DIRECTORY DESTINATION ${vandrel_templates}/data/resources)
endif()

# The example scenario database with the lateral-entry files its runs name.
install(FILES ${PROJECT_BINARY_DIR}/data/travo.fdb DESTINATION ${vandrel_templates}/scenario)
install(DIRECTORY data/examples/scenario/TRAVO DESTINATION ${vandrel_templates}/scenario)

# The example substance store, from which the setup restores a missing one.
install(FILES ${VORN_EXAMPLE_STORE} DESTINATION ${vandrel_templates}/substances)

# The engine inputs of the example project, for trying the engine out.
install(DIRECTORY data/examples/project DESTINATION ${vandrel_templates}/examples)
