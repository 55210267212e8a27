# The site plan benchmark drags a piece in the real window the real widgets offscreen; without the GUI it is
# left out of the build.
if(TARGET vorn_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  target_link_libraries(${name} PRIVATE vorn_gui Qt6::Widgets)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
else()
  set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
