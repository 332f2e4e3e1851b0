#pragma once

#include <QString>
#include <QStringList>

// The process ids written in filePid (blank-separated) whose process still
// runs, after waiting up to attesaMs for them to end. A zombie has ended.
QStringList ProcessiRimasti(const QString& filePid, int attesaMs = 10000);
