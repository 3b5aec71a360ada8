#!/usr/bin/env bash
# Starts the real program on a data file of the first format version, saves it with Ctrl+S,
# quits with Ctrl+Q and compares the saved file with the current format's bytes.
set -euo pipefail
if [ -z "${QS_E2E_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env QS_E2E_DISPLAY=1 bash "$0" "$@"
fi
exe=$1
data=$2
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A private copy of the program, so that its settings file is written in the scratch folder.
cp "$exe" "$work/qstereo"
cp "$data/old.QST" "$work/site.QST"
"$work/qstereo" "$work/site.QST" >"$work/log" 2>&1 &
pid=$!

deadline=$((SECONDS + 60))
window=
until window=$(xdotool search --name '^QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ$' 2>/dev/null | head -n 1) &&
    [ -n "$window" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$pid" 2>/dev/null; then
        echo "no main window appeared"
        cat "$work/log"
        exit 1
    fi
    sleep 0.5
done
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
until cmp -s "$work/site.QST" "$data/expected.QST" || [ $SECONDS -ge $deadline ]; do
    sleep 0.5
done
xdotool key --clearmodifiers ctrl+q
while kill -0 "$pid" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
        echo "the program did not quit"
        exit 1
    fi
    sleep 0.5
done
pid=

if cmp "$work/site.QST" "$data/expected.QST"; then
    echo "saved bytes match"
else
    echo "saved file differs from the expected bytes:"
    xxd "$work/site.QST" | head -n 20
    exit 1
fi
