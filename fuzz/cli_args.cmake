orvane_add_fuzzer(cli_args LIBS orvane_cli_lib)
