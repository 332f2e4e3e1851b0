#pragma once

#include <QString>

// Whether a TCP connection to host:porta opens within limiteMs: "" when it
// does, else why not, for the person. The name lookup before it is bounded by
// the system resolver's own time-outs. Plain sockets, so that the programs
// need no network library for a probe.
QString ProvaConnessioneTcp(const QString& host, quint16 porta, int limiteMs);
