#!/usr/bin/env bash
# systemd-analyze verify on the user units of the unattended receive, as the
# package installs them, with ExecStart pointed at the program just built.
# Usage: ProvaUnita.sh SERVICE TIMER NORVEL
set -uo pipefail

servizio=$1
timer=$2
norvel=$3

if ! command -v systemd-analyze >/dev/null; then
    [ "${NORVEL_E2E:-}" = 1 ] && { echo "ERRORE: systemd-analyze mancante" >&2; exit 1; }
    echo "systemd-analyze mancante: prova saltata"
    exit 77
fi
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
grep -q '^ExecStart=/usr/bin/norvel ricevi --verifica$' "$servizio" ||
    { echo "ERRORE: ExecStart inatteso in $servizio" >&2; exit 1; }
sed "s|^ExecStart=/usr/bin/norvel |ExecStart=$norvel |" "$servizio" >"$lavoro/norvel-ricevi.service"
cp "$timer" "$lavoro/norvel-ricevi.timer"
mkdir -p "$lavoro/run"
# Every complaint counts: verify reports some (an unknown value) with status 0.
uscita=$(cd "$lavoro" && XDG_RUNTIME_DIR=$lavoro/run systemd-analyze --user verify \
    norvel-ricevi.service norvel-ricevi.timer 2>&1)
stato=$?
if [ $stato -ne 0 ] || [ -n "$uscita" ]; then
    echo "ERRORE: systemd-analyze verify ($stato): $uscita" >&2
    exit 1
fi
# Working days only, from 7:00 to 20:00 every 10 minutes.
mapfile -t quando < <(sed -n 's/^OnCalendar=//p' "$timer")
[ ${#quando[@]} -gt 0 ] || { echo "ERRORE: nessun OnCalendar in $timer" >&2; exit 1; }
prossimi=$(systemd-analyze calendar --iterations=200 "${quando[@]}" 2>&1 |
    sed -n 's/.*\(Iter\. #[0-9]*\|Next elapse\): //p')
[ "$(grep -c . <<<"$prossimi")" -ge 200 ] || { echo "ERRORE: calendario: $prossimi" >&2; exit 1; }
if grep -Ev '^(Mon|Tue|Wed|Thu|Fri) [0-9-]+ (0[7-9]|1[0-9]):[0-5]0:00|^(Mon|Tue|Wed|Thu|Fri) [0-9-]+ 20:00:00' \
    <<<"$prossimi" | grep -q .; then
    echo "ERRORE: orari fuori dalla finestra: $prossimi" >&2
    exit 1
fi
echo "unita' verificate"
