# The GUI tests drive the real windows of the application library. The
# forms are built once and never freed, as in the program itself.
target_link_libraries(${target} PRIVATE tamrix_gui)
set_tests_properties(${name} PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
if(TARGET tamrix)
  add_dependencies(${target} tamrix)
  target_compile_definitions(${target} PRIVATE
    TAMRIX_PROGRAMME="$<TARGET_FILE:tamrix>")
endif()
# The window's loads are compared with tamrix-run's start.
if(TARGET tamrix-run)
  add_dependencies(${target} tamrix-run)
endif()
