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
