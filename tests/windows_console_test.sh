#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# nybblex.exe as a user at a Windows prompt meets it. Under a pseudo-terminal Wine gives
# the program a console, and passes what the console shows to the terminal as UTF-8,
# drawn with escape sequences (a cursor move sometimes stands for a blank): the text is
# compared after they are undone. Through a pipe the line's bytes must stay exactly what
# they are: UTF-8, and CR LF.
#
#   windows_console_test.sh NYBBLEX_EXE WINE_COMMAND...
set -eu
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

quote() { printf "'%s' " "$(printf %s "$1" | sed "s/'/'\\\\''/g")"; }
wine_command=""
for word in "$@"; do wine_command="$wine_command$(quote "$word")"; done
failures=0

# EXPECTED_STATUS EXPECTED_LINE ARGUMENTS...: nybblex.exe in a console shows the line.
in_console() {
    expected_status=$1 expected_line=$2
    shift 2
    command="$wine_command$(quote "$exe")"
    for argument in "$@"; do command="$command$(quote "$argument")"; done
    status=0
    script -qec "$command" /dev/null >screen.raw </dev/null || status=$?
    perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\e\][^\a]*\a//g;
              s/\r//g' screen.raw >screen.txt
    if [ "$status" != "$expected_status" ] || ! grep -qxF "$expected_line" screen.txt; then
        echo "FAILED: nybblex.exe $* in a console: status $status, it showed:" >&2
        cat screen.txt >&2
        echo "expected status $expected_status and the line: $expected_line" >&2
        failures=$((failures + 1))
    fi
}

in_console 1 "Error: Unable to open file ЖMISSING.BIN !" Жmissing.bin out.bin
in_console 1 "Error: Unable to open file CAFé.BIN !" café.bin out.bin
in_console 1 "Error: Unable to open file 100%DONE.BIN !" 100%done.bin out.bin
in_console 4 "Syntax: nybblex sourcefile destinationfile"
printf '\022\253' >Жin.bin
in_console 2 "Error: Unable to overwrite file ЖIN.BIN !" Жin.bin Жin.bin

# Redirected to a pipe, the same line is the bytes it always was.
{
    "$@" "$exe" Жmissing.bin out.bin && echo 0 >status || echo $? >status
} | cat >piped.out
status=$(cat status)
printf 'Error: Unable to open file \320\226MISSING.BIN !\r\n' >expected.out
if [ "$status" != 1 ] || ! cmp -s piped.out expected.out; then
    echo "FAILED: through a pipe, status $status and these bytes:" >&2
    od -c piped.out >&2
    failures=$((failures + 1))
fi

test -e out.bin && { echo "FAILED: a destination was created" >&2; failures=$((failures + 1)); }
exit "$failures"
