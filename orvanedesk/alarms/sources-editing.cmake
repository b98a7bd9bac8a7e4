# Alarm editing: the schedule page, the add wizard, the properties sheet and the list page.
target_sources(orvanedesk_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/editing_logic.cpp)

clocks_test(editing_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_logic_test.cpp
  LIBS orvanedesk_logic)

if(NOT WIN32)
  clocks_test(editing_artwork_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_artwork_test.cpp)
  if(TARGET editing_artwork_test)
    target_compile_definitions(editing_artwork_test PRIVATE ARTWORK_ROOT="${CMAKE_SOURCE_DIR}")
  endif()
endif()

if(WIN32)
  target_sources(orvanedesk_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/schedule_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editing_controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/add_sheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_sheet.cpp)
endif()

if(WIN32)
  # The pages under Wine, with the program's own templates.
  clocks_test(editing_shell_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/res/orvanedesk.rc
    LIBS orvanedesk_shell common_testing)
endif()
