tessio_add_bench(bench_cli SOURCES bench_cli.cpp LIBS tessio_core)
target_compile_definitions(bench_cli PRIVATE TESSIO_CALC="$<TARGET_FILE:tessio-calc>")
add_dependencies(bench_cli tessio-calc)
