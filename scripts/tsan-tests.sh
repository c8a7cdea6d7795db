#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer in build-tsan and runs the tests of
# long work there: work on its own thread, its cancel in SQLite and through
# the ODBC driver and the race of a late cancel, input held while it runs,
# the background queue, the query and its sort off the window's thread, and
# the windows using all of it. Qt is not built with ThreadSanitizer; the few
# frames inside Qt that it reports are named in tests/tsan.supp, each with
# the reason it is Qt's own, and the threads of Qt's global pool, on which
# Qt paints large areas in pieces, are left unchecked as a whole
# (tests/support/qtpoolthreads.h). It ends with status 0 only when nothing
# is reported.
#
#   scripts/tsan-tests.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tsan -G Ninja -DBOMQUERY_TSAN=ON -DBOMQUERY_BUILD_BENCH=OFF
cmake --build build-tsan --target test_platform test_app test_grid generate_bomdb
# The large databases the window tests use, made beforehand: a process that
# forks (the tests start the generator when one is missing) leaves
# ThreadSanitizer's view of this process confused.
mkdir -p build-tsan/tests/generated
for size in "100000 100000" "1 300000"; do
  set -- $size
  database="build-tsan/tests/generated/bom-$1-$2.sqlite3"
  [ -f "$database" ] || build-tsan/db/generate_bomdb "$database" "$1" "$2"
done
export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp second_deadlock_stack=1"
build-tsan/tests/test_platform \
  --gtest_filter='LongWorkTest.*:OnScreenStartTest.*:BackgroundQueueTest.*:BackgroundRemovalTest.*:CancelRaceTest.*:SqliteEngineTest.*:SqlServerPathTest.*:QueryTest.*:RecordSortTest.*'
build-tsan/tests/test_grid --gtest_filter='ApplyTitleSortTest.*'
build-tsan/tests/test_app \
  --gtest_filter='LargeDatabaseTest.*:LongExpansionTest.*:SlowFailingDatabaseTest.*:LongLoginTest.*:CloseDuringExpansionTest.*:StartOnScreenTest.*:MainWindowTest.*'
