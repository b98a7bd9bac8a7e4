# Alarms and messages: the record and its file, the schedule rules, the tick's minute work, and
# (Windows only) the message popup.
target_sources(orvanedesk_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/message_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/schedule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/alarm_tracker.cpp)

clocks_test(alarms_logic_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/message_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schedule_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/alarm_tracker_test.cpp
  LIBS orvanedesk_logic)

if(WIN32)
  target_sources(orvanedesk_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/message_popup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainwindow_alarms.cpp)
endif()

if(WIN32)
  clocks_test(alarms_shell_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/message_popup_test.cpp ${CMAKE_CURRENT_LIST_DIR}/../res/orvanedesk.rc
    LIBS orvanedesk_shell common_testing)
  # It writes Message.ini beside the program.
  if(TARGET alarms_shell_test)
    set_tests_properties(alarms_shell_test PROPERTIES RESOURCE_LOCK orvanedesk_folder)
  endif()
endif()

if(NOT WIN32)
  clocks_test(artwork_alarms_test SOURCES ${CMAKE_SOURCE_DIR}/tools/artwork_alarms_test.cpp)
  if(TARGET artwork_alarms_test)
    target_compile_definitions(artwork_alarms_test PRIVATE ARTWORK_ROOT="${CMAKE_SOURCE_DIR}")
  endif()
endif()
