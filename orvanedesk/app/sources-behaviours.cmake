# The window behaviours, menu commands, about box and web links of the desk clock.
target_sources(orvanedesk_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/behaviours.cpp ${CMAKE_CURRENT_LIST_DIR}/browser_command.cpp)
clocks_test(orvanedesk_behaviours_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/behaviours_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/browser_command_test.cpp
  LIBS orvanedesk_logic)

if(WIN32)
  target_sources(orvanedesk_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/window_behaviours.cpp ${CMAKE_CURRENT_LIST_DIR}/menu_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/web_page.cpp ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp)
  target_link_libraries(orvanedesk_shell PUBLIC shell32)
  # Window tests: the real window and about box, in-process under Wine.
  clocks_test(orvanedesk_behaviours_window_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/behaviours_window_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/web_page_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/../res/orvanedesk.rc
    LIBS orvanedesk_shell common_testing ole32)
  if(CLOCKS_TESTS)
    add_dependencies(orvanedesk_behaviours_window_test orvanedesk)
  endif()
endif()

# The about box's pictures, checked as committed.
if(NOT WIN32)
  clocks_test(artwork_about_test SOURCES ${CMAKE_SOURCE_DIR}/tools/artwork_about_test.cpp)
  if(TARGET artwork_about_test)
    target_compile_definitions(artwork_about_test PRIVATE ARTWORK_ROOT="${CMAKE_SOURCE_DIR}")
  endif()
endif()
