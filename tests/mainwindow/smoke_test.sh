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

"$hueforge" &
pid=$!
"$close_window" "Hueforge FSX Format" 720 530
closed=$?
if [ $closed -ne 0 ]; then
    kill "$pid" 2>/dev/null
    wait "$pid"
    echo "smoke: the window was not found or has the wrong size" >&2
    exit 1
fi
wait "$pid"
exit_code=$?
if [ $exit_code -ne 0 ]; then
    echo "smoke: hueforge ended with $exit_code" >&2
    exit 1
fi
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
"$hueforge" &
pid=$!
if ! "$close_window" "$(basename "$hueforge")" - -; then
    kill "$pid" 2>/dev/null
    wait "$pid"
    echo "smoke: no error box at start-up" >&2
    exit 1
fi
wait "$pid"
exit_code=$?
if [ $exit_code -ne 0 ]; then
    echo "smoke: hueforge ended with $exit_code after the start-up error" >&2
    exit 1
fi
echo "smoke: start-up error shown, ended with 0"
