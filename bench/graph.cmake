tessio_add_bench(bench_graph SOURCES bench_graph.cpp LIBS tessio_ui)
