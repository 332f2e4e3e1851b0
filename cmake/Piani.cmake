# The floors of src/, bottom up: each folder and the floors it stands on. A
# file includes its own folder and the floors below it (those it stands on,
# and theirs), never a floor above or beside it. A new folder of src/ takes
# its place here, or the build stops.
set(NORVEL_PIANI
    "piattaforma:"
    "shell:piattaforma"
    "scambio:shell"
    "invio:scambio"
    "ricezione:scambio"
    "stampa:shell"
    "web:stampa"
    "strumenti:shell"
    "info:shell"
    "app:invio,ricezione,web,strumenti,info")
