#!/usr/bin/env python3
"""The demo sandbox's web server, on 127.0.0.1 only.

Serves the MRN and VAT pages of tests/fixtures/pagine (the VIES page valid for
the numbers in VALIDE, the error page for any other) and the files of the
sandbox's own site folder (the versions page). Writes the port it bound to a
file and serves until it is terminated.
"""
import argparse
import http.server
import os
import signal
import sys
import urllib.parse

VALIDE = {"01234567890"}


def main():
    a = argparse.ArgumentParser()
    a.add_argument("--pagine", required=True)
    a.add_argument("--sito", required=True)
    a.add_argument("--file-porta", required=True)
    a.add_argument("--registro", required=True)
    opz = a.parse_args()
    registro = open(opz.registro, "a", buffering=1)

    class Pagine(http.server.BaseHTTPRequestHandler):
        def log_message(self, formato, *argomenti):
            registro.write("%s %s\n" % (self.log_date_time_string(), formato % argomenti))

        def manda(self, percorso):
            with open(percorso, "rb") as f:
                corpo = f.read()
            self.send_response(200)
            tipo = "text/html; charset=utf-8" if percorso.endswith(".htm") else "application/octet-stream"
            self.send_header("Content-Type", tipo)
            self.send_header("Content-Length", str(len(corpo)))
            self.end_headers()
            self.wfile.write(corpo)

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            nome = urllib.parse.unquote(url.path).lstrip("/")
            if nome == "vies.htm":
                piva = urllib.parse.parse_qs(url.query).get("piva", [""])[0]
                nome = "vies-valido.htm" if piva in VALIDE else "vies-errore.htm"
            # Only plain paths under the two folders, nothing above them.
            if ".." not in nome.split("/"):
                for cartella in (opz.sito, opz.pagine):
                    percorso = os.path.join(cartella, nome)
                    if nome and os.path.isfile(percorso):
                        return self.manda(percorso)
            self.send_error(404)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Pagine)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    provvisorio = opz.file_porta + ".tmp"
    with open(provvisorio, "w") as f:
        f.write("%d\n" % server.server_address[1])
    os.replace(provvisorio, opz.file_porta)
    try:
        server.serve_forever()
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
