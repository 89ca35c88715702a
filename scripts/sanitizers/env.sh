# The sanitized build, sourced by scripts/test --sanitize and scripts/monkey: its CMake
# options and the sanitizers' run-time options.
sanitizers="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# -O1 and line tables only: a much quicker sanitized build, whose reports still name
# function, file and line.
sanitized_cmake_options=(-DTVS_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
# Findings in project code fail the run that meets them. The suppression files name
# third-party code only, each entry with the reason it is there.
# Whole stacks for every allocation (slower), so that a leak suppression can name the
# third-party subsystem that made it, wherever in the stack it stands.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:fast_unwind_on_malloc=0:suppressions=$sanitizers/asan.supp"
export LSAN_OPTIONS="suppressions=$sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$sanitizers/ubsan.supp"
