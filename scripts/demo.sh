#!/usr/bin/env bash
# The demo sandbox: sets up and builds as avvia.sh does, then starts on
# 127.0.0.1 a Customs FTP server with the replies of today, the office's UNIX
# host and the MRN, VAT and update pages, and the program on a folder of its
# own pointed at them. When the program ends, the servers stop. The program
# keeps its per-user values (access password, PDF folder) in the sandbox too,
# never in the user's own store.
#
#   scripts/demo.sh [--cartella DIR] [--solo-servizi]
#
# --cartella DIR   program folder and working folders under DIR, kept between
#                  runs (default: a temporary folder, removed at the end)
# --solo-servizi   everything but the window: prints "CARTELLA=<program
#                  folder>" and "PRONTO", then waits until terminated
# NORVEL_DEMO_SENZA_PREPARAZIONE=1 skips the set-up and the build.
set -euo pipefail

sorgenti=$(cd "$(dirname "$0")/.." && pwd)
cartella=
solo_servizi=0

uso() {
    echo "uso: scripts/demo.sh [--cartella DIR] [--solo-servizi]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case $1 in
    --cartella)
        [ $# -ge 2 ] || uso
        cartella=$2
        shift 2
        ;;
    --cartella=*)
        cartella=${1#*=}
        shift
        ;;
    --solo-servizi)
        solo_servizi=1
        shift
        ;;
    *) uso ;;
    esac
done

if [ "${NORVEL_DEMO_SENZA_PREPARAZIONE:-0}" != 1 ]; then
    (cd "$sorgenti" && bash scripts/installa.sh && cmake --preset default &&
        cmake --build --preset default --target norvel)
fi
eseguibile=$sorgenti/build/src/norvel

# The demo's own names: the Customs user code, the UNIX host's user.
utente=DEMO
password=Demo.2026
utente_unix=irildes
password_unix=Unix.2026
ditta="SPEDIZIONI DEMO SRL"

pid_servizi=()
ftp=
temporanea=
ferma() {
    local p n
    for p in "${pid_servizi[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
    for p in "${pid_servizi[@]}"; do
        for ((n = 0; n < 50; n++)); do
            kill -0 "$p" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$p" 2>/dev/null || true
        wait "$p" 2>/dev/null || true
    done
    [ -z "$ftp" ] || rm -rf "$ftp"
    [ -z "$temporanea" ] || rm -rf "$temporanea"
}
trap ferma EXIT
trap 'exit 130' INT TERM HUP

if [ -z "$cartella" ]; then
    cartella=$(mktemp -d /tmp/norvel-demo-XXXXXX)
    temporanea=$cartella
fi
mkdir -p "$cartella"
cartella=$(cd "$cartella" && pwd)
programma=$cartella/programma
base=$cartella/FirmaVerifica
chiavi=$cartella/chiavi
sito=$cartella/sito
mkdir -p "$programma" "$chiavi" "$sito/Aggiornamenti"
# The per-user folders of the sandbox: the office's own store is not touched.
export XDG_CONFIG_HOME=$cartella/utente/config XDG_DATA_HOME=$cartella/utente/dati
export XDG_CACHE_HOME=$cartella/utente/cache
mkdir -p "$XDG_CONFIG_HOME/Norvel" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$cartella/PDF"
[ -s "$XDG_CONFIG_HOME/Norvel/PDFCreator.conf" ] ||
    printf '[Program]\nAutosaveDirectory=%s\n' "$cartella/PDF" >"$XDG_CONFIG_HOME/Norvel/PDFCreator.conf"
for c in Firmati Inviati Ricevuti Verificati DaVerificare; do mkdir -p "$base/$c"; done
rm -f "$cartella/servizi.pid"

oggi=$(date +%m%d)
ieri=$(date -d yesterday +%m%d)
altroieri=$(date -d '2 days ago' +%m%d)

# --- Demo CA and the certificate Customs signs with, made once per folder ---
if [ ! -s "$chiavi/firma.pem" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Norvel DEMO CA" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
        -keyout "$chiavi/ca.key" -out "$chiavi/ca.pem" 2>/dev/null
    openssl req -new -newkey rsa:2048 -nodes -subj "/CN=Dogana DEMO" \
        -keyout "$chiavi/firma.key" -out "$chiavi/firma.csr" 2>/dev/null
    printf 'keyUsage=critical,digitalSignature,nonRepudiation\n' >"$chiavi/est.cnf"
    openssl x509 -req -in "$chiavi/firma.csr" -CA "$chiavi/ca.pem" -CAkey "$chiavi/ca.key" \
        -CAcreateserial -days 3650 -extfile "$chiavi/est.cnf" -out "$chiavi/firma.pem" 2>/dev/null
fi
# The bundle the reference unwrapping command verifies against.
cp "$chiavi/ca.pem" "$base/CertificatiCA.pem"
ln -sf "$sorgenti/tools/Sbusta.sh" "$programma/Sbusta.sh"

firma() { # origine destino: the DER envelope, content attached
    openssl cms -sign -nodetach -binary -in "$1" -signer "$chiavi/firma.pem" \
        -inkey "$chiavi/firma.key" -outform DER -out "$2"
}

# --- FTP server: its root under /tmp itself, where the server's user can walk ---
ftp=$(mktemp -d /tmp/norvel-demo-ftp-XXXXXX)
chmod 755 "$ftp"
if [ "$(id -u)" -eq 0 ]; then
    utente_server=nobody
    gruppo_server=$(id -gn nobody)
    radice_utenti="DefaultRoot ~"
    cartella_unix=/
else
    utente_server=$(id -un)
    gruppo_server=$(id -gn)
    radice_utenti=
    cartella_unix=$ftp/home/$utente_unix
fi
uid=$(id -u "$utente_server")
gid=$(id -g "$utente_server")
for u in "$utente:$password" "$utente_unix:$password_unix"; do
    nome=${u%%:*}
    mkdir -p "$ftp/home/$nome"
    printf '%s\n' "${u#*:}" | ftpasswd --passwd --file="$ftp/ftpd.passwd" --name="$nome" \
        --uid="$uid" --gid="$gid" --home="$ftp/home/$nome" --shell=/bin/false --stdin >/dev/null
done
printf 'ftp:x:%s:%s,%s\n' "$gid" "$utente" "$utente_unix" >"$ftp/ftpd.group"
chmod 640 "$ftp/ftpd.group"

# Replies of today, one of each type, some signed; a PDF reply (type N); the
# clearances (type L, of the last days); a log and a reply of another day that
# the receive run leaves on the server.
dogana=$ftp/home/$utente
lavoro=$cartella/lavoro
rm -rf "$lavoro"
mkdir -p "$lavoro"
risposta() { # nome testo
    printf 'NORVEL DEMO - RISPOSTA DELLA DOGANA\r\n%s\r\nDATA %s\r\n' "$2" "$(date +%d/%m/%Y)" >"$lavoro/$1"
}
pdf() { # nome testo: a one-page PDF
    python3 - "$lavoro/$1" "$2" <<'FINE'
import sys
testo = sys.argv[2].replace("\\", "").replace("(", "").replace(")", "")
flusso = "BT /F1 18 Tf 72 720 Td (%s) Tj ET" % testo
oggetti = [
    "<< /Type /Catalog /Pages 2 0 R >>",
    "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R"
    " /Resources << /Font << /F1 5 0 R >> >> >>",
    "<< /Length %d >>\nstream\n%s\nendstream" % (len(flusso), flusso),
    "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
]
uscita = b"%PDF-1.4\n"
posizioni = []
for i, o in enumerate(oggetti, 1):
    posizioni.append(len(uscita))
    uscita += ("%d 0 obj\n%s\nendobj\n" % (i, o)).encode("latin-1")
xref = len(uscita)
uscita += ("xref\n0 %d\n0000000000 65535 f \n" % (len(oggetti) + 1)).encode()
for p in posizioni:
    uscita += ("%010d 00000 n \n" % p).encode()
uscita += ("trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(oggetti) + 1, xref)).encode()
open(sys.argv[1], "wb").write(uscita)
FINE
}
pdf "$utente$oggi.N01" "Bolla $utente$oggi.T01: dichiarazione accettata"
firma "$lavoro/$utente$oggi.N01" "$dogana/$utente$oggi.N01.P7M"
risposta "$utente$oggi.X01" "ESITO: DICHIARAZIONE REGISTRATA"
firma "$lavoro/$utente$oggi.X01" "$dogana/$utente$oggi.X01.P7M"
risposta "$utente$oggi.W01" "AVVISO: MESSAGGIO DI SERVIZIO"
cp "$lavoro/$utente$oggi.W01" "$dogana/"
risposta "$utente$oggi.Q01" "QUADRATURA GIORNALIERA"
firma "$lavoro/$utente$oggi.Q01" "$dogana/$utente$oggi.Q01.P7M"
risposta "$utente$oggi.X02.LOG" "REGISTRO DELLA SESSIONE"
cp "$lavoro/$utente$oggi.X02.LOG" "$dogana/"
risposta "$utente$ieri.X09" "RISPOSTA DI IERI"
cp "$lavoro/$utente$ieri.X09" "$dogana/"
appuramento() { # nome codice righe
    {
        printf 'INTESTAZIONE APPURAMENTI %s %s\n' "$2" "$(date +%Y%m%d)"
        printf 'GARANZIA DEMO %s\n' "$2"
        for ((i = 1; i <= $3; i++)); do printf 'MRN 26IT0000000000%03d%s APPURATO\n' "$i" "$2"; done
    } >"$lavoro/$1"
}
appuramento "$utente$altroieri.L01" A1 3
cp "$lavoro/$utente$altroieri.L01" "$dogana/"
appuramento "$utente$ieri.L02" B2 4
firma "$lavoro/$utente$ieri.L02" "$dogana/$utente$ieri.L02.P7M"
appuramento "$utente$ieri.L03" C3 2
firma "$lavoro/$utente$ieri.L03" "$dogana/$utente$ieri.L03.P7M"
[ "$(id -u)" -ne 0 ] || chown -R "$uid:$gid" "$ftp/home"

# Declarations of today waiting to be sent, unless already sent: two customs
# declarations (T) and an INTRASTAT one (I).
for d in T01 T02 I01; do
    n=$utente$oggi.$d.P7M
    if [ ! -e "$base/Firmati/$n" ] && [ ! -e "$base/Inviati/$n" ]; then
        printf 'DICHIARAZIONE DEMO %s\r\nDITTA %s\r\n' "$d" "$ditta" >"$lavoro/$d"
        firma "$lavoro/$d" "$base/Firmati/$n"
    fi
done
rm -rf "$lavoro"

porta_libera() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
ftp_pronto() { # porta pid
    local n riga
    for ((n = 0; n < 150; n++)); do
        kill -0 "$2" 2>/dev/null || return 1
        riga=$(timeout 2 bash -c "exec 3<>/dev/tcp/127.0.0.1/$1 && head -c 3 <&3" 2>/dev/null || true)
        [ "$riga" = 220 ] && return 0
        sleep 0.1
    done
    return 1
}
# A port found free can be taken before the server binds it: try again.
porta_ftp=
for tentativo in 1 2 3; do
    porta=$(porta_libera)
    sed -e "s|@NOME@|norvel-demo|" -e "s|@PORTA@|$porta|" -e "s|@UTENTE@|$utente_server|" \
        -e "s|@GRUPPO@|$gruppo_server|" -e "s|@RADICE_UTENTI@|$radice_utenti|" \
        -e "s|@RADICE@|$ftp|g" -e "s|@ALTRO@||" \
        "$sorgenti/tests/fixtures/proftpd/proftpd.conf.in" >"$ftp/proftpd.conf"
    proftpd -n -c "$ftp/proftpd.conf" >>"$ftp/proftpd.out" 2>&1 &
    pid=$!
    if ftp_pronto "$porta" "$pid"; then
        pid_servizi+=("$pid")
        porta_ftp=$porta
        break
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
done
if [ -z "$porta_ftp" ]; then
    echo "demo.sh: il server FTP non parte:" >&2
    cat "$ftp/proftpd.out" "$ftp/proftpd.log" >&2 2>/dev/null || true
    exit 1
fi

# --- Web pages: MRN, VAT and the versions page of the update check ---
versione=$(sed -n 's/^project(Norvel VERSION \([0-9.]*\).*/\1/p' "$sorgenti/CMakeLists.txt")
nuova=${versione%.*}.$((${versione##*.} + 1))
nome_programma=$(basename "$eseguibile" | tr '[:lower:]' '[:upper:]')
{
    printf '<HTML><BODY>\r\n<P>%s=Norvel.htm#%s</P>\r\n' "$nome_programma" "$nuova"
    printf '<P>%s:Aggiornamenti/norvel-%s.txt#%s#DEMO%s#Aggiornamento dimostrativo</P>\r\n' \
        "$nome_programma" "$nuova" "$(date +%d/%m/%Y)" "${nuova//./}"
    printf '</BODY></HTML>\r\n'
} >"$sito/Aggiornamenti/Versioni.htm"
# The program's page, where "&VAI AL SITO" leads in the demo.
printf '<HTML><BODY><H1>Norvel</H1><P>Pagina dimostrativa del programma.</P></BODY></HTML>\r\n' \
    >"$sito/Norvel.htm"
printf 'Norvel %s: aggiornamento dimostrativo, nessun programma.\n' "$nuova" \
    >"$sito/Aggiornamenti/norvel-$nuova.txt"
rm -f "$cartella/web.porta"
python3 "$sorgenti/scripts/demo-web.py" --pagine "$sorgenti/tests/fixtures/pagine" \
    --sito "$sito" --file-porta "$cartella/web.porta" --registro "$cartella/web.log" &
pid_servizi+=("$!")
for ((n = 0; n < 100; n++)); do
    [ -s "$cartella/web.porta" ] && break
    kill -0 "${pid_servizi[-1]}" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$cartella/web.porta" ]; then
    echo "demo.sh: il server delle pagine non parte (python3)" >&2
    exit 1
fi
web=http://127.0.0.1:$(cat "$cartella/web.porta")
printf '%s\n' "${pid_servizi[@]}" >"$cartella/servizi.pid"

# --- The program folder's settings, named after the executable ---
ini=$programma/$(basename "$eseguibile").ini
imposta() { # sezione chiave valore: one key set, every other line kept
    local provvisorio=$ini.tmp
    touch "$ini"
    awk -v sez="$1" -v chiave="$2" -v valore="$3" '
        function scrivi() { print chiave "=" valore; fatto = 1 }
        /^\[.*\]/ {
            if (dentro && !fatto) scrivi()
            dentro = (toupper($0) == "[" toupper(sez) "]")
        }
        dentro && !fatto && toupper($0) ~ "^" toupper(chiave) "=" { scrivi(); next }
        { print }
        END {
            if (!fatto) { if (!dentro) print "[" sez "]"; scrivi() }
        }' "$ini" >"$provvisorio"
    mv "$provvisorio" "$ini"
}
# The program's own scrambling of stored passwords.
cifra() {
    python3 -c 'import sys; p = sys.argv[1]; print("$" + "".join(chr(ord(c) - 13 + i) for i, c in enumerate(p, 1)))' "$1"
}
imposta PC PATH "$base"
imposta EDI HOSTFTP "127.0.0.1 $porta_ftp"
imposta EDI AUTORFTP "$utente"
imposta EDI PASSWFTP "$(cifra "$password")"
imposta EDI DITTA "$ditta"
imposta EDI CONNESSIONE lo
imposta EDI DEMO 1
imposta REMOTO INDIRIZZO "127.0.0.1 $porta_ftp"
imposta REMOTO UTENTE "$utente_unix"
imposta REMOTO PASSWD "$(cifra "$password_unix")"
imposta REMOTO PATH "$cartella_unix"
imposta WEB EXPORT "$web/export.htm?mrn="
imposta WEB TRANSITI "$web/transito.htm?mrn="
imposta WEB VAT "$web/vies.htm?act=piva&stato="
imposta WEB VATPIVA "&piva="
imposta AGGIORNA ZERPA "$web/"

echo "Norvel DEMO: server FTP 127.0.0.1:$porta_ftp (utente $utente, host UNIX $utente_unix), pagine $web"
echo "CARTELLA=$programma"
echo "XDG_CONFIG_HOME=$XDG_CONFIG_HOME"
echo "XDG_DATA_HOME=$XDG_DATA_HOME"
if [ "$solo_servizi" = 1 ]; then
    echo PRONTO
    # Until terminated, or until a server ends by itself.
    wait -n "${pid_servizi[@]}"
    exit 1
fi
"$eseguibile" --cartella "$programma"
