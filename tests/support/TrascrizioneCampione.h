#pragma once

#include <QStringList>

// As the system client prints a run of four uploads: the second refused by
// name, the third accepted after a two-line reply with CR LF line ends, the
// fourth missing here.
inline constexpr char TrascrizioneCampione[] =
    "Connected to 127.0.0.1.\n"
    "220 ProFTPD Server (prova) [127.0.0.1]\n"
    "331 Password required for ACME\n"
    "230 User ACME logged in\n"
    "local: ACME0101.T01 remote: ACME0101.T01\n"
    "229 Entering Extended Passive Mode (|||27125|)\n"
    "150 Opening BINARY mode data connection for ACME0101.T01\n"
    "226 Transfer complete\n"
    "4 bytes sent in 00:00 (28.93 KiB/s)\n"
    "local: ACME0101.T02 remote: ACME0101.T02\n"
    "229 Entering Extended Passive Mode (|||35013|)\n"
    "550 ACME0101.T02: Forbidden filename\n"
    "local: ACME0101.T03 remote: ACME0101.T03\r\n"
    "227 Entering Passive Mode (127,0,0,1,4,1).\r\n"
    "150 Opening BINARY mode data connection\r\n"
    "226-Transfer complete\r\n"
    "226 Quota ok\r\n"
    "12 bytes sent in 00:00 (33.96 KiB/s)\r\n"
    "local: MANCA remote: MANCA\n"
    "ftp: Can't open `MANCA': No such file or directory\n"
    "221 Goodbye.\n";

// The script lines of that run.
inline const QStringList RigheCampione = {
    QStringLiteral("put ACME0101.T01"), QStringLiteral("put ACME0101.T02"),
    QStringLiteral("put ACME0101.T03"), QStringLiteral("put MANCA")};

// Downloads to a temporary name, an upload under another remote name, a line
// the client skipped, and the patterns of mget.
inline constexpr char TrascrizioneRicezione[] =
    "local: ACME1207.L01.tmp remote: ACME1207.L01\n"
    "150 Opening BINARY mode data connection (300 bytes)\n"
    "226 Transfer complete\n"
    "300 bytes received in 00:00 (1.2 MiB/s)\n"
    "Not connected.\n"
    "local: irisp.txt remote: /tmp/edi/irispACME\n"
    "150 Opening\n226 Transfer complete\n"
    "local: ACME1207.W01 remote: ACME1207.W01\n"
    "150 Opening\n226 Transfer complete\n"
    "local: ACME1207.W02 remote: ACME1207.W02\n"
    "150 Opening\n451 Transfer aborted\n";

inline const QStringList RigheRicezione = {QStringLiteral("binary "),
                                           QStringLiteral("get ACME1207.L01 ACME1207.L01.tmp"),
                                           QStringLiteral("get ACME1207.L02 ACME1207.L02.tmp"),
                                           QStringLiteral("delete /tmp/edi/irispACME"),
                                           QStringLiteral("put irisp.txt /tmp/edi/irispACME"),
                                           QStringLiteral("mget ACME*.W*"),
                                           QStringLiteral("mget NIENTE*")};
