# The runner's tests start the tamrix-run program itself.
add_dependencies(${target} tamrix-run)
target_compile_definitions(${target} PRIVATE
  TAMRIX_RUN_PROGRAMME="$<TARGET_FILE:tamrix-run>")
target_compile_definitions(${target} PRIVATE
  TAMRIX_VERSION_PROJET="${PROJECT_VERSION}")
