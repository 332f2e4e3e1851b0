#pragma once

#include <QtGlobal>

// Bytes a running process has read and written so far, through any file or
// socket, and what still waits in its TCP sockets' queues: signs that it is
// still working even when it prints nothing. A write into a socket ends as
// soon as the data is queued; the queue shrinks only as the other end takes it.
struct IoProcesso
{
    qint64 letti = -1; // -1: not known on this system
    qint64 scritti = -1;
    qint64 inCoda = -1; // sent but not yet acknowledged, plus received not yet read
    bool Noto() const { return letti >= 0 && scritti >= 0; }
};

IoProcesso LeggiIoProcesso(qint64 pid);
// The byte counts alone (inCoda left -1): one small file, cheap enough for
// every line the process prints. The queues walk every socket of the system.
IoProcesso LeggiByteProcesso(qint64 pid);
qint64 LeggiCodeProcesso(qint64 pid);
