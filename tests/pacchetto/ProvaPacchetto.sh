#!/usr/bin/env bash
# Builds the Debian package in the build folder and checks it from outside:
# its files, its dependencies, and the program run from the extracted tree.
# Usage: ProvaPacchetto.sh BUILD_DIR VERSION CPACK
set -uo pipefail

costruzione=$1
versione=$2
cpack=$3

errori=0
sbaglio() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

lavoro=$(mktemp -d)
norvel_pid=
finisci() {
    [ -n "$norvel_pid" ] && kill -KILL "$norvel_pid" 2>/dev/null
    chmod -R u+w "$lavoro" 2>/dev/null
    rm -rf "$lavoro"
}
trap finisci EXIT

pacchetto=$costruzione/norvel_${versione}_amd64.deb
rm -f "$pacchetto"
# The changelog is dated the day the package is made.
giorni=("$(LC_ALL=C date -u '+%d %b %Y')")
(cd "$costruzione" && "$cpack" -G DEB) >"$lavoro/cpack.log" 2>&1 || {
    cat "$lavoro/cpack.log" >&2
    echo "ERRORE: cpack -G DEB non riuscito" >&2
    exit 1
}
[ -f "$pacchetto" ] || { echo "ERRORE: manca $pacchetto" >&2; exit 1; }
giorni+=("$(LC_ALL=C date -u '+%d %b %Y')")

# The files where the desktop, the shell and the program look for them.
elenco=$(dpkg-deb -c "$pacchetto" | awk '{print $NF}')
for f in ./usr/bin/norvel ./usr/libexec/norvel/norvel-pagina \
         ./usr/share/norvel/Sbusta.sh ./usr/share/norvel/Via.ICO ./usr/share/norvel/Alt.ICO \
         ./usr/share/applications/norvel.desktop \
         ./usr/share/icons/hicolor/64x64/apps/norvel.png \
         ./usr/share/doc/norvel/README.md ./usr/share/doc/norvel/copyright \
         ./usr/share/doc/norvel/changelog.gz ./usr/share/man/man1/norvel.1.gz \
         ./usr/lib/systemd/user/norvel-ricevi.service ./usr/lib/systemd/user/norvel-ricevi.timer \
         ./usr/lib/norvel/norvel-rete.so; do
    grep -qx -- "$f" <<<"$elenco" || sbaglio "il pacchetto non contiene $f"
done
altri_lib=$(grep '^\./usr/lib/.*[^/]$' <<<"$elenco" |
    grep -v '^\./usr/lib/systemd/user/norvel-ricevi\.' | grep -vx '\./usr/lib/norvel/norvel-rete\.so')
[ -n "$altri_lib" ] && sbaglio "file sotto /usr/lib: $altri_lib"

# Declared: the programs it runs; computed: the libraries it links.
dipende=$(dpkg-deb -f "$pacchetto" Depends)
for d in tnftp openssl qt6-translations-l10n xdg-utils libqt6widgets6 libqt6webenginewidgets6 libc6; do
    grep -Eq "(^|, )$d( |,|$)" <<<"$dipende" || sbaglio "Depends senza $d: $dipende"
done
[ "$(dpkg-deb -f "$pacchetto" Package)" = norvel ] || sbaglio "nome del pacchetto"
[ "$(dpkg-deb -f "$pacchetto" Architecture)" = amd64 ] || sbaglio "architettura"

radice=$lavoro/radice
dpkg-deb -x "$pacchetto" "$radice" || { echo "ERRORE: dpkg-deb -x" >&2; exit 1; }
eseguibile=$radice/usr/bin/norvel

firma=$(gzip -dc "$radice/usr/share/doc/norvel/changelog.gz" | grep '^ -- ')
[[ $firma == *", ${giorni[0]} "* || $firma == *", ${giorni[1]} "* ]] ||
    sbaglio "changelog non datato oggi (${giorni[*]}): $firma"
if command -v man >/dev/null; then
    manuale=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$radice/usr/share/man/man1/norvel.1.gz" 2>&1 >/dev/null)
    [ -z "$manuale" ] || sbaglio "la pagina di manuale non si legge pulita: $manuale"
fi

if command -v desktop-file-validate >/dev/null; then
    esito=$(desktop-file-validate "$radice/usr/share/applications/norvel.desktop" 2>&1) ||
        sbaglio "desktop-file-validate: $esito"
    [ -z "$esito" ] || sbaglio "desktop-file-validate: $esito"
fi
grep -qx 'Exec=norvel' "$radice/usr/share/applications/norvel.desktop" ||
    sbaglio "la voce del menu non avvia norvel dal PATH"

# --version needs no display.
uscita=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$eseguibile" --version 2>&1)
[ $? -eq 0 ] || sbaglio "--version esce con errore: $uscita"
[ "$uscita" = "norvel $versione" ] || sbaglio "--version scrive: $uscita"

# The browser engine is the page program's alone; the network library is
# the HTTP module's, loaded on the first request, and all it needs is there.
ldd "$eseguibile" | grep -q WebEngine && sbaglio "norvel collega Qt WebEngine"
ldd "$eseguibile" | grep -q Qt6Network && sbaglio "norvel collega la libreria di rete di Qt"
modulo=$radice/usr/lib/norvel/norvel-rete.so
ldd "$modulo" | grep -q 'not found' && sbaglio "norvel-rete.so: $(ldd "$modulo" | grep 'not found')"
pagina=$radice/usr/libexec/norvel/norvel-pagina
uscita=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$pagina" --version 2>&1)
[ "$uscita" = "norvel-pagina $versione" ] || sbaglio "norvel-pagina --version scrive: $uscita"

# The page program as installed prints a page on Qt's PDF writer into the
# user's PDF folder and says so on its one line.
fixture=$(cd "$(dirname "$0")/../fixtures/pagine" && pwd)/export.htm
mkdir -p "$lavoro/pagina"
riga=$(env -u DISPLAY HOME="$lavoro/pagina" XDG_CONFIG_HOME="$lavoro/pagina/config" \
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 timeout 120 "$pagina" \
    --indirizzo "file://$fixture" --codice 24ITQV1234567890E5 --tipo ex --stampa 1 \
    --stampante PDFCREATOR --ini "$lavoro/pagina/norvel.ini" 2>"$lavoro/pagina.log")
esito=$?
pdf=$lavoro/pagina/PDF/EX_24ITQV1234567890E5.pdf
[ $esito -eq 0 ] || sbaglio "norvel-pagina esce con $esito: $(tail -5 "$lavoro/pagina.log")"
[ "$riga" = "stato=6 stampa=eseguita file=$pdf" ] || sbaglio "norvel-pagina risponde: $riga"
[ -s "$pdf" ] || sbaglio "norvel-pagina non ha scritto $pdf"

# Installed, from a tree nobody writes: the settings go in the user's data
# folder, nothing beside the executable.
chmod -R a-w "$radice/usr"
casa=$lavoro/casa
mkdir -p "$casa"
prima=$(ls -A "$radice/usr/bin")
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u DISPLAY HOME="$casa" QT_QPA_PLATFORM=offscreen \
    "$eseguibile" >"$lavoro/norvel.log" 2>&1 &
norvel_pid=$!
impostazioni=$casa/.local/share/norvel/norvel.ini
for _ in $(seq 1 300); do
    [ -f "$impostazioni" ] && break
    kill -0 "$norvel_pid" 2>/dev/null || break
    sleep 0.1
done
sleep 1
if kill -0 "$norvel_pid" 2>/dev/null; then
    kill -TERM "$norvel_pid"
    for _ in $(seq 1 100); do
        kill -0 "$norvel_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$norvel_pid" 2>/dev/null && sbaglio "il programma non si chiude con SIGTERM"
else
    sbaglio "il programma si è chiuso da solo: $(cat "$lavoro/norvel.log")"
fi
norvel_pid=
[ -f "$impostazioni" ] || sbaglio "manca $impostazioni: $(find "$casa" -type f)"
[ -d "$casa/.local/share/norvel/TempFile" ] || sbaglio "manca TempFile nella cartella dell'utente"
[ "$(ls -A "$radice/usr/bin")" = "$prima" ] || sbaglio "file accanto all'eseguibile: $(ls -A "$radice/usr/bin")"

if command -v lintian >/dev/null; then
    lintian --fail-on error --tag-display-limit 0 "$pacchetto" >"$lavoro/lintian.log" 2>&1 ||
        sbaglio "lintian: $(cat "$lavoro/lintian.log")"
    ! grep -q 'no-manual-page' "$lavoro/lintian.log" || sbaglio "lintian: no-manual-page"
    cat "$lavoro/lintian.log"
fi

[ $errori -eq 0 ] && echo "pacchetto $pacchetto: tutto in ordine"
exit $((errori > 0))
