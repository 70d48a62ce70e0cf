#!/usr/bin/env bash
# Takes the pictures of Kelvaro's main window on a private X server, driving the real program
# with the keyboard as a user would:
#   screenshot.png         typing into the text box
#   screenshot-random.png  a quick random series, with the chosen-characters panel open
#   screenshot-quiz.png    the quiz
#   screenshot-port.png    the quiz with Tools > Port open
#   screenshot-soundcard.png  Sound > Sound card
#   screenshot-info.png    the information window (F2)
#   screenshot-file.png    a lesson file playing, its played part highlighted
#   screenshot-masked.png  the masked-text panel beside the file
#   screenshot-sheet.png   the entry sheet
#   screenshot-demo.png    the demo window
#   screenshot-alphabet.png, screenshot-qcodes.png, screenshot-abbreviations.png
#                          the three reference lists
#   screenshot-shortcuts.png  a shortcut being created in Tools > Shortcuts
#   screenshot-messages.png   the local messages panel
#   screenshot-instructor.png the instructor window (Options > Instructor limitations)
#   screenshot-monitor.png monitoring, a few letters keyed with the Ctrl key
#   screenshot-progress.png            Tools > Progress on a sample month of practice
#   screenshot-progress-confusions.png its confusions page
#
#   scripts/screenshot.sh [PATH/TO/kelvaro] [FOLDER]
#
# FOLDER defaults to docs/. SCREENSHOT_DPI=144 shoots a screen of 144 dots per inch (Qt scales
# the window by 1.5); SCREENSHOT_TEXT_DPI=120 shoots a desktop whose texts are 25 % larger
# while the rest keeps its size.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/kelvaro}
folder=${2:-docs}
mkdir -p "$folder"
config_dir=$(mktemp -d)
trap 'chmod -R u+w "$config_dir"; rm -rf "$config_dir"' EXIT
# Monitoring listens to the Ctrl key.
printf 'SPEED=12\r\nMONITOR_CHANNEL=CTRLKEY\r\n\002\r\n' >"$config_dir/kelvaro.dat"

if [ -n "${SCREENSHOT_DPI:-}" ]; then
    export QT_FONT_DPI=$SCREENSHOT_DPI
elif [ -n "${SCREENSHOT_TEXT_DPI:-}" ]; then
    export QT_FONT_DPI=$SCREENSHOT_TEXT_DPI QT_ENABLE_HIGHDPI_SCALING=0
fi

scripts/with-display.sh bash -c '
    set -euo pipefail
    folder=$3
    # A month of practice for the progress window, written by the benchmark beside the program.
    "$(dirname "$2")/tools/bench_progress" --write-sample "$1/kelvaro-history.db"
    KELVARO_CONFIG_DIR="$1" KELVARO_AUDIO=null "$2" &
    app=$!
    id=""
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree | awk "/KELVARO 4.0/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
    sleep 1
    # No window manager runs: give the window the keyboard and keep the pointer (and its
    # tooltips) away from it.
    xdotool windowfocus --sync "$id"
    xdotool mousemove 1279 799
    alt() { xdotool keydown Alt_L key "$1" keyup Alt_L; sleep 0.5; }
    key() { xdotool key "$@"; sleep 0.5; }
    shoot() { import -window "$id" "$folder/$1"; echo "wrote $folder/$1"; }

    xdotool type --delay 60 "cq de f5abc"
    sleep 15  # until it has sounded
    shoot screenshot.png
    alt r
    key ctrl+shift+F11
    key F11
    shoot screenshot-random.png
    key Escape
    alt q
    shoot screenshot-quiz.png
    alt o  # Options and Tools share the letter: from Options, step right to Tools
    key Escape
    key Right
    key Down
    key p
    shoot screenshot-port.png
    key Escape
    alt a
    shoot screenshot-alphabet.png
    alt c
    shoot screenshot-qcodes.png
    alt b
    shoot screenshot-abbreviations.png
    # From the Sound menu (Alt+N, a letter nothing else uses) step right to Options or Tools.
    options() { alt n; key Escape; key Right; key Down; }  # Options, open on its first item
    tools() { alt n; key Escape; key Right; key Right; key Down; }  # Tools, on its first item
    tools
    key Down
    key Return
    xdotool type --delay 60 "#"
    key Tab
    xdotool type --delay 30 "CQ CQ DE F5ABC"
    sleep 0.5
    shoot screenshot-shortcuts.png
    key Escape
    tools
    key Down
    key Down
    key Return
    shoot screenshot-messages.png
    key Escape
    options
    key Up  # the last item
    key Return
    sleep 0.5
    dialog=$(xwininfo -root -tree | awk "/\"Instructor limitations\"/ {print \$1; exit}")
    if [ -n "$dialog" ]; then
        import -window "$dialog" "$folder/screenshot-instructor.png"
        echo "wrote $folder/screenshot-instructor.png"
    else
        echo "screenshot: the instructor window did not appear" >&2
    fi
    key Escape
    # Sound > Sound card (its last item): from Options, one step left along the menu bar.
    alt o
    key Escape
    key Left
    key Down
    key Up
    key Return
    shoot screenshot-soundcard.png
    key Escape
    key F2
    sleep 1
    info=$(xwininfo -root -tree | awk "/\"Info\"/ {print \$1; exit}")
    if [ -n "$info" ]; then
        import -window "$info" "$folder/screenshot-info.png"; echo "wrote $folder/screenshot-info.png"
    else
        echo "screenshot: the information window did not open" >&2
    fi
    alt g
    ctrl() { xdotool keydown Control_L; sleep "$1"; xdotool keyup Control_L; sleep 0.08; }
    ctrl 0.08; ctrl 0.3; sleep 1.2   # a
    ctrl 0.3; ctrl 0.08; ctrl 0.3; ctrl 0.08; sleep 1.2   # c
    shoot screenshot-monitor.png
    key ctrl+shift+F12  # Tools > Progress
    sleep 1
    progress=$(xwininfo -root -tree | awk "/\"Progress\"/ {print \$1; exit}")
    [ -n "$progress" ] || { echo "screenshot: the progress window did not appear" >&2; exit 1; }
    xdotool windowfocus --sync "$progress"
    import -window "$progress" "$folder/screenshot-progress.png"; echo "wrote $folder/screenshot-progress.png"
    # The Confusions tab, where the window lays it out (it grows with the screen dpi).
    scale=$(awk -v dpi="${QT_FONT_DPI:-96}" "BEGIN { print dpi / 96 }")
    xdotool mousemove --window "$progress" "$(awk -v s="$scale" "BEGIN { printf \"%d\", 286 * s }")" \
        "$(awk -v s="$scale" "BEGIN { printf \"%d\", 73 * s }")" click 1
    sleep 0.5
    xdotool mousemove 1279 799
    import -window "$progress" "$folder/screenshot-progress-confusions.png"
    echo "wrote $folder/screenshot-progress-confusions.png"
    kill -TERM "$app"
    wait "$app"

    # The File mode: a lesson file named on the command line, delimiters [ and ].
    printf "SPEED=15\r\n\002[]\r\n" >"$1/kelvaro.dat"
    printf "vvv vvv cq cq de f5abc f5abc k\r\n[Lesson 4: the teacher reads the rest aloud]\r\nqth is paris, name is jo.\r\nhw cpy? 73 es gl sk\r\n" \
        >"$1/lesson.txt"
    KELVARO_CONFIG_DIR="$1" KELVARO_AUDIO=null "$2" "$1/lesson.txt" &
    app=$!
    id=""
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree | awk "/KELVARO 4.0/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
    sleep 1
    xdotool windowfocus --sync "$id"
    alt i
    sleep 6
    shoot screenshot-file.png
    key ctrl+shift+F9
    shoot screenshot-masked.png
    key Escape
    key Escape
    sleep 1
    # Options > Miscellaneous > Always show the entry sheet.
    alt o
    key m
    key s
    sleep 1
    sheet=$(xwininfo -root -tree | awk "/\"Entry sheet\"/ {print \$1; exit}")
    [ -n "$sheet" ] || { echo "screenshot: the entry sheet did not appear" >&2; exit 1; }
    xdotool windowfocus --sync "$sheet"
    xdotool type --delay 40 "vvv cq cq de f5abc"
    import -window "$sheet" "$folder/screenshot-sheet.png"; echo "wrote $folder/screenshot-sheet.png"
    xdotool windowfocus --sync "$id"
    sleep 0.5
    # The Demo button, where the window lays it out (the window grows with the screen dpi).
    scale=$(awk -v dpi="${QT_FONT_DPI:-96}" "BEGIN { print dpi / 96 }")
    demo_x=$(awk -v s="$scale" -v x="${DEMO_X:-437}" "BEGIN { printf \"%d\", x * s }")
    demo_y=$(awk -v s="$scale" -v y="${DEMO_Y:-467}" "BEGIN { printf \"%d\", y * s }")
    xdotool mousemove --window "$id" "$demo_x" "$demo_y" click 1
    sleep 1
    xdotool mousemove 1279 799
    demo=$(xwininfo -root -tree | awk "/\"KELVARO  DEMO\"/ {print \$1; exit}")
    if [ -n "$demo" ]; then
        import -window "$demo" "$folder/screenshot-demo.png"; echo "wrote $folder/screenshot-demo.png"
    else
        echo "screenshot: the demo window did not open (DEMO_X/DEMO_Y: the Demo button)" >&2
    fi
    kill -TERM "$app"
    wait "$app"
' screenshot "$config_dir" "$program" "$folder"
