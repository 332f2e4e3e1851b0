#!/bin/sh
# Sbusta.sh ORIGINE DESTINO
#
# Takes the content out of a signed envelope (CMS/CAdES with the content
# attached, as Customs signs its replies) and writes it to DESTINO.
# The envelope may be DER, PEM-armoured or base64; what does not start with the
# DER sequence byte is decoded and tried again, a few times at most.
#
# The signer is verified against a CA bundle when one is configured: the file
# named by SBUSTA_CA, else "CertificatiCA.pem" in the current folder (the base
# folder when the program runs this), else beside this script. Without one the
# content is only unwrapped, the signature's integrity checked but not who made
# it, and the script says so on its error output.
#
# Exit 0: DESTINO written whole. Any other exit: DESTINO not written.

set -u

messaggio() {
    printf 'Sbusta: %s\n' "$*" >&2
}

if [ "$#" -ne 2 ] || [ -z "$1" ] || [ -z "$2" ]; then
    messaggio "uso: Sbusta.sh ORIGINE DESTINO"
    exit 2
fi
origine=$1
destino=$2

case $destino in
*/) destino_cartella=1 ;;
*) [ -d "$destino" ] && destino_cartella=1 || destino_cartella= ;;
esac
if [ -n "$destino_cartella" ]; then
    messaggio "la destinazione e' una cartella, non un file: $destino"
    exit 2
fi
if [ ! -f "$origine" ] || [ ! -r "$origine" ]; then
    messaggio "file firmato non leggibile: $origine"
    exit 3
fi
if ! command -v openssl >/dev/null 2>&1; then
    messaggio "openssl non installato"
    exit 4
fi

bundle=
if [ -n "${SBUSTA_CA:-}" ]; then
    bundle=$SBUSTA_CA
    if [ ! -r "$bundle" ]; then
        messaggio "elenco delle CA non leggibile: $bundle"
        exit 5
    fi
elif [ -r "CertificatiCA.pem" ]; then
    bundle=$(pwd)/CertificatiCA.pem
else
    cartella_script=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd)
    if [ -r "$cartella_script/CertificatiCA.pem" ]; then
        bundle=$cartella_script/CertificatiCA.pem
    fi
fi

# A full disk shows up as a damaged or empty envelope: say what it is. The
# content is never larger than its envelope.
spazio_esaurito() {
    dimensione=$(wc -c <"$origine" | tr -d ' ')
    for cartella in "$cartella_destino" "$lavoro"; do
        liberi=$(df -Pk -- "$cartella" 2>/dev/null | awk 'NR == 2 { print $(NF - 2) }')
        case $liberi in
        '' | *[!0-9]*) continue ;;
        esac
        if [ "$((liberi * 1024))" -lt "$dimensione" ]; then
            messaggio "SPAZIO SU DISCO ESAURITO in $cartella: contenuto non estratto: $origine"
            return 0
        fi
    done
    return 1
}

fallisci() {
    spazio_esaurito || messaggio "$1"
    [ -s "$lavoro/errori" ] && cat "$lavoro/errori" >&2
    exit 1
}

lavoro=$(mktemp -d "${TMPDIR:-/tmp}/sbusta.XXXXXX") || exit 6
cartella_destino=$(dirname -- "$destino")
# The content is written beside its destination and renamed at the end, so
# that whoever waits for DESTINO never sees half of it.
parziale=$(mktemp "$cartella_destino/.sbusta.XXXXXX") || {
    spazio_esaurito || messaggio "cartella di destinazione non scrivibile: $cartella_destino"
    rm -rf "$lavoro"
    exit 6
}
# shellcheck disable=SC2317 # called by the traps
pulisci() {
    rm -rf "$lavoro"
    rm -f "$parziale"
}
trap pulisci EXIT
trap 'exit 130' INT TERM HUP

inizia_con_der() {
    [ "$(head -c 1 "$1" | od -An -tx1 | tr -d ' \n')" = "30" ]
}

# PEM armour: only the lines between BEGIN and END; plain base64: all of it.
decodifica() {
    if grep -q -- '-----BEGIN' "$1"; then
        sed -n '/-----BEGIN/,/-----END/p' "$1" | sed '1d;$d' | tr -d ' \t\r\n' >"$lavoro/b64"
    else
        tr -d ' \t\r\n' <"$1" >"$lavoro/b64"
    fi
    [ -s "$lavoro/b64" ] && base64 -d "$lavoro/b64" >"$2" 2>/dev/null && [ -s "$2" ]
}

corrente=$origine
tentativo=0
while ! inizia_con_der "$corrente"; do
    tentativo=$((tentativo + 1))
    if [ "$tentativo" -gt 3 ]; then
        messaggio "busta non riconosciuta (ne' DER, ne' PEM, ne' base64): $origine"
        exit 1
    fi
    if ! decodifica "$corrente" "$lavoro/busta$tentativo"; then
        fallisci "busta non decodificabile: $origine"
    fi
    corrente=$lavoro/busta$tentativo
done

if [ -n "$bundle" ]; then
    if ! openssl cms -verify -binary -inform DER -in "$corrente" -out "$parziale" \
        -CAfile "$bundle" -purpose any 2>"$lavoro/errori"; then
        fallisci "firma NON valida o firmatario non riconosciuto: $origine"
    fi
else
    if ! openssl cms -verify -binary -inform DER -in "$corrente" -out "$parziale" \
        -noverify 2>"$lavoro/errori"; then
        fallisci "busta danneggiata, contenuto non estratto: $origine"
    fi
fi

if [ ! -s "$parziale" ]; then
    fallisci "la busta non contiene dati: $origine"
fi
# mktemp made it readable by its owner only; the content takes the usual modes.
chmod "$(printf '%o' $((0666 & ~$(umask))))" "$parziale" 2>/dev/null
if ! mv -f "$parziale" "$destino"; then
    messaggio "impossibile scrivere $destino"
    exit 6
fi

if [ -n "$bundle" ]; then
    messaggio "firma verificata con $bundle, contenuto estratto in $destino"
else
    messaggio "ATTENZIONE: contenuto estratto SENZA verifica del firmatario (nessun elenco delle CA configurato) in $destino"
fi
exit 0
