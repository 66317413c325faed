tessio_add_bench(bench_report SOURCES bench_report.cpp LIBS tessio_ui)
