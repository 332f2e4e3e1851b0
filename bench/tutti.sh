#!/bin/bash
# Runs every benchmark of build/bench and prints one table: what is measured,
# the program's figure, the floor measured beside it in the same run, and
# their ratio. The windows' benchmarks (bench/ui) run on a virtual X server
# under openbox, as a person would see them.
#
#   bash bench/tutti.sh [build folder]      (default: build)
#
# A benchmark gives its rows as lines "table: what | figure | floor | ratio";
# a line "ratio what: N" without one becomes a row of its own. Every
# program's whole output is kept in the log folder printed at the end.

set -u
radice=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$radice/build}
[ -d "$build/bench" ] || { echo "nessun benchmark in $build/bench: compilare prima" >&2; exit 1; }
registro=$(mktemp -d /tmp/norvel-bench.XXXXXX)
righe=$registro/tabella

# Programs the benchmarks start themselves, not benchmarks.
aiuti=" bench_FinestraMinima "
# No program may hold the table up for ever.
limite=${NORVEL_BENCH_LIMITE_S:-1200}

finestre=" "
for f in "$radice"/bench/ui/*.cpp; do
    [ -e "$f" ] && finestre+="bench_$(basename "$f" .cpp) "
done

# A virtual screen with openbox, for the windows; stopped at the end.
schermo=""
pid_x=""
pid_ob=""
ferma() {
    [ -n "$pid_ob" ] && kill "$pid_ob" 2>/dev/null
    [ -n "$pid_x" ] && kill "$pid_x" 2>/dev/null
}
trap ferma EXIT
avvia_schermo() {
    command -v Xvfb >/dev/null && command -v openbox >/dev/null || return 1
    for n in $(seq 90 140); do
        [ -e /tmp/.X$n-lock ] && continue
        Xvfb ":$n" -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pid_x=$!
        for _ in $(seq 50); do
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            DISPLAY=":$n" openbox --sm-disable >/dev/null 2>&1 &
            pid_ob=$!
            sleep 1
            schermo=":$n"
            return 0
        fi
        kill "$pid_x" 2>/dev/null
        pid_x=""
    done
    return 1
}

: > "$righe"
for programma in "$build"/bench/bench_*; do
    [ -f "$programma" ] && [ -x "$programma" ] || continue
    nome=$(basename "$programma")
    [[ "$aiuti" == *" $nome "* ]] && continue
    uscita=$registro/$nome.txt
    echo "== $nome" >&2
    if [[ "$finestre" == *" $nome "* ]]; then
        if [ -z "$schermo" ] && ! avvia_schermo; then
            echo "   (Xvfb o openbox mancano: sulla piattaforma offscreen)" >&2
            QT_QPA_PLATFORM=offscreen timeout "$limite" "$programma" > "$uscita" 2>&1
        else
            DISPLAY=$schermo QT_QPA_PLATFORM=xcb timeout "$limite" "$programma" > "$uscita" 2>&1
        fi
    else
        QT_QPA_PLATFORM=offscreen timeout "$limite" "$programma" > "$uscita" 2>&1
    fi
    stato=$?
    [ $stato -eq 0 ] || echo "   uscito con $stato: vedere $uscita" >&2
    if grep -q '^table: ' "$uscita"; then
        sed -n 's/^table: //p' "$uscita" >> "$righe"
    else
        sed -n 's/^ratio \(.*\): \([0-9.]*\).*/\1 | - | - | \2/p' "$uscita" >> "$righe"
    fi
done

echo
{
    echo "what | figure | floor | ratio"
    echo "---- | ------ | ----- | -----"
    cat "$righe"
} | column -t -s '|' -o '|'
echo
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); output of each program in $registro"
