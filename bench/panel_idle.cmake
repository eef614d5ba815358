if(TARGET harkdeck_qt AND TARGET harkdeck_sim)
  add_executable(harkdeck_panel_bench ${CMAKE_CURRENT_LIST_DIR}/panel_idle.cpp)
  target_link_libraries(harkdeck_panel_bench PRIVATE harkdeck_qt harkdeck_posix harkdeck_sim
                        harkdeck_warnings)
endif()
