orvane_add_fuzzer(wave_reader LIBS orvane_core)
