#!/bin/sh
# Starts the editor on an X display, closes its window as a user would and checks that
# the settings were written. Run under xvfb-run: smoke_test.sh HUEFORGE CLOSE_WINDOW
set -u
hueforge=$1
close_window=$2

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config"
unset QT_QPA_PLATFORM

# Starts hueforge, closes the window captioned $1 (of size $2 x $3, "-" for any) and
# expects the program to end with 0; $4 says what was expected, for the failure message.
run_and_close() {
    "$hueforge" &
    pid=$!
    if ! "$close_window" "$1" "$2" "$3"; then
        kill "$pid" 2>/dev/null
        wait "$pid"
        echo "smoke: $4 was not found" >&2
        exit 1
    fi
    wait "$pid"
    exit_code=$?
    if [ $exit_code -ne 0 ]; then
        echo "smoke: hueforge ended with $exit_code after $4" >&2
        exit 1
    fi
}

run_and_close "Hueforge FSX Format" 720 530 "the 720 x 530 main window"
store="$config/Corvane.conf"
for value in Program Top Left Load Show; do
    if ! grep -q "^$value=" "$store" 2>/dev/null; then
        echo "smoke: $store lacks $value" >&2
        exit 1
    fi
done
head -n 1 "$store" | grep -qx '\[Tintmarkx\]' || { echo "smoke: no [Tintmarkx] section" >&2; exit 1; }
echo "smoke: closed cleanly, settings written"

# A setting stored as something other than text stops the start with the general error
# box, captioned with the application title; the program still ends with 0.
printf '[Tintmarkx]\nTop=@Point(1 2)\n' >"$store"
run_and_close "$(basename "$hueforge")" - - "the start-up error box"
echo "smoke: start-up error shown, ended with 0"
