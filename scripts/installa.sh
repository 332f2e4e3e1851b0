#!/usr/bin/env bash
# Installs what Norvel needs to build, run and test on Debian 12.
set -euo pipefail

pacchetti=(
    build-essential cmake ninja-build lld
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    tnftp proftpd-basic openssl python3
    xdg-utils xvfb xauth xdotool openbox x11-utils imagemagick locales libxcb1-dev
    qt6-webengine-dev
    cups cups-client cups-pdf poppler-utils
    dpkg-dev file desktop-file-utils lintian
    systemd dbus-daemon
    clang libclang-rt-14-dev
)

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${mancanti[@]}"
fi

# The tests run under an Italian locale, as the office's machines do.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
    "${sudo[@]}" sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    "${sudo[@]}" locale-gen >/dev/null
fi

# proftpd-basic starts a system FTP server on port 21. The tests start their
# own on a free port of 127.0.0.1 and need none: the one this script has just
# installed is switched off. A ProFTPD that was on the machine before (an
# office's own server) is left as it is.
appena_installato=0
for p in "${mancanti[@]}"; do [ "$p" != proftpd-basic ] || appena_installato=1; done
if [ "$appena_installato" = 1 ]; then
    if [ -d /run/systemd/system ] && systemctl is-enabled proftpd.service >/dev/null 2>&1; then
        "${sudo[@]}" systemctl disable --now proftpd.service >/dev/null 2>&1 || true
    elif [ -x /etc/init.d/proftpd ] && [ -f /run/proftpd.pid ]; then
        "${sudo[@]}" /etc/init.d/proftpd stop >/dev/null 2>&1 || true
    fi
fi

# A second kind of FTP server for the end-to-end tests: pure-ftpd, unpacked
# rather than installed (its package conflicts with proftpd-basic). The tests
# find it here, or where NORVEL_PUREFTPD says.
pureftpd=/var/cache/norvel-test/pure-ftpd
if [ ! -x "$pureftpd/usr/sbin/pure-ftpd" ] || [ ! -x "$pureftpd/usr/bin/pure-pw" ]; then
    "${sudo[@]}" mkdir -p "$pureftpd.deb"
    # apt fetches as its own user when it can write there.
    ! id _apt >/dev/null 2>&1 || "${sudo[@]}" chown _apt "$pureftpd.deb"
    if ! ls "$pureftpd.deb"/pure-ftpd_*.deb >/dev/null 2>&1; then
        [ ${#mancanti[@]} -gt 0 ] || "${sudo[@]}" apt-get update -qq
        (cd "$pureftpd.deb" && "${sudo[@]}" apt-get download -qq pure-ftpd)
    fi
    "${sudo[@]}" rm -rf "$pureftpd"
    "${sudo[@]}" dpkg -x "$(ls "$pureftpd.deb"/pure-ftpd_*.deb | tail -n 1)" "$pureftpd"
fi
# The libraries the unpacked programs need, from their own packages.
librerie=()
for l in libssl3 libsodium23 libcrypt1 libcap2 libpam0g; do
    dpkg-query -W -f='${Status}' "$l" 2>/dev/null | grep -q 'install ok installed' || librerie+=("$l")
done
if [ ${#librerie[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${librerie[@]}"
fi
if ldd "$pureftpd/usr/sbin/pure-ftpd" "$pureftpd/usr/bin/pure-pw" | grep -q 'not found'; then
    echo "pure-ftpd: libraries missing:" >&2
    ldd "$pureftpd/usr/sbin/pure-ftpd" "$pureftpd/usr/bin/pure-pw" | grep 'not found' >&2
    exit 1
fi
