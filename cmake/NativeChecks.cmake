# The portable core once more, with AddressSanitizer and UndefinedBehaviorSanitizer,
# for the native unit tests.
verbola_add_core(verbola_core_checked)
set(VERBOLA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(verbola_core_checked PUBLIC ${VERBOLA_SANITIZERS} -O1 -g)
target_link_options(verbola_core_checked PUBLIC ${VERBOLA_SANITIZERS})

find_package(GTest REQUIRED)
find_package(benchmark QUIET)
