#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

// Today's date and the time of day, replaceable by a test.
QDateTime Adesso();
QDate Oggi();

// Makes Adesso() answer from orologio; an empty function restores the real clock.
void ImpostaOrologio(std::function<QDateTime()> orologio);
