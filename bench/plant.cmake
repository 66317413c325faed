tessio_add_bench(bench_plant SOURCES bench_plant.cpp LIBS tessio_core)
