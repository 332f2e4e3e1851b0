#pragma once

#include <QString>

// Whether a TCP connection to host:porta opens within limiteMs, name lookup
// included: "" when it does, else why not, for the person. Plain sockets, so
// that the programs need no network library for a probe.
QString ProvaConnessioneTcp(const QString& host, quint16 porta, int limiteMs);
