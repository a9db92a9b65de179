# Sourced by tools/dev.sh and tools/fuzz.sh: how the sanitizer build reports.
# Every finding stops the program with a stack; leaks are checked at exit.
_tellurin_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$_tellurin_tools/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
