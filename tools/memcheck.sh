#!/usr/bin/env bash
# Runs one whole session of the game (start, play, reshuffle, level up and down, the about window,
# quit: tests/ui/session_test.cpp) under valgrind's memcheck and prints memcheck's leak and error
# summaries. Fails when memcheck reports an error or memory definitely lost.
# Usage: tools/memcheck.sh [--x11]
#   offscreen by default; --x11 runs the session on a private X server (xvfb-run), as players do.
#   BUILD_DIR chooses the build folder (build-memcheck by default); the full report, with the
#   stack of every loss, is left in BUILD_DIR/memcheck.log.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --measure

# Plain Debug without the sanitizers, whose own allocator valgrind cannot work with.
build=${BUILD_DIR:-build-memcheck}
cmake --preset memcheck -B "$build" >/dev/null
cmake --build "$build" --target window_session_test >/dev/null

platform=(env QT_QPA_PLATFORM=offscreen)
if [[ "${1:-}" == "--x11" ]]; then
    platform=(xvfb-run -a -n 170 -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb)
fi
log=$build/memcheck.log
status=0
# libdbus forks a helper on X11; only the game's own process is checked.
"${platform[@]}" valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite,possible --child-silent-after-fork=yes \
    --suppressions=devtools/valgrind/qt.supp --gen-suppressions=all --num-callers=40 \
    --error-exitcode=3 --log-file="$log" \
    "$build/tests/ui/session/window_session_test" || status=$?

# The summaries, without valgrind's process-id prefix.
sed -n -e 's/^==[0-9]*== //' -e '/LEAK SUMMARY/,/suppressed:/p' -e '/ERROR SUMMARY/p' "$log"
case $status in
0) echo "memcheck: no errors, nothing definitely lost" ;;
3) echo "memcheck: errors or memory definitely lost; see $log" >&2 ;;
*) echo "memcheck: the session failed (status $status); see $log" >&2 ;;
esac
exit "$status"
