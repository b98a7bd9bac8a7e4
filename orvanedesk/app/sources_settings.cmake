# Settings, sound lists, illustration catalogue and display of the desk clock.
target_sources(orvanedesk_logic PRIVATE app/placement.cpp ui/sound_lists.cpp
  ui/illust_catalogue.cpp)
if(TARGET orvanedesk_logic_test)
  target_sources(orvanedesk_logic_test PRIVATE app/placement_test.cpp ui/sound_lists_test.cpp
    ui/illust_catalogue_test.cpp)
endif()

if(NOT WIN32)
  return()
endif()

target_sources(orvanedesk_shell PRIVATE app/settings.cpp)

# The seasonal illustrations live beside the program with the first one.
foreach(data bitmap1.bmp bitmap2.bmp bitmap3.bmp bitmap4.bmp bitmap5.bmp)
  add_custom_command(TARGET orvanedesk POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
      ${CMAKE_CURRENT_SOURCE_DIR}/data/${data} $<TARGET_FILE_DIR:orvanedesk>/${data})
endforeach()

if(TARGET orvanedesk_shell_test)
  target_sources(orvanedesk_shell_test PRIVATE app/settings_test.cpp)
  # Window tests and whole-program scenarios share the text files beside the programs.
  set_tests_properties(orvanedesk_shell_test PROPERTIES RESOURCE_LOCK orvanedesk_folder)
endif()
