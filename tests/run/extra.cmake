# The runner's tests start the tamrix-run and tamrix-as programs themselves.
add_dependencies(${target} tamrix-run tamrix-as)
target_compile_definitions(${target} PRIVATE
  TAMRIX_RUN_PROGRAMME="$<TARGET_FILE:tamrix-run>"
  TAMRIX_AS_PROGRAMME="$<TARGET_FILE:tamrix-as>")
target_compile_definitions(${target} PRIVATE
  TAMRIX_VERSION_PROJET="${PROJECT_VERSION}")
