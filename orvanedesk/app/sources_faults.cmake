# What keeps the desk clock whole when its files are damaged or out of reach.
target_sources(orvanedesk_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/bitmap_check.cpp)
clocks_test(orvanedesk_faults_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bitmap_check_test.cpp
  LIBS orvanedesk_logic)

if(TARGET orvanedesk_shell_test)
  target_sources(orvanedesk_shell_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/faults_test.cpp)
  target_link_libraries(orvanedesk_shell_test PRIVATE common_testing)
endif()
