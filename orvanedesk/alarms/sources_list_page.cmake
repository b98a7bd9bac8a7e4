# The settings sheet's alarm list tab.
if(WIN32)
  target_sources(orvanedesk_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/alarm_list_page.cpp)
endif()
