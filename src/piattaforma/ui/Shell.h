#pragma once

#include <QString>

#include <functional>

// Hands a document, a folder or a web address to the desktop, which opens it
// with the application it associates with it. Replaceable by a test.
bool ApriConShell(const QString& percorsoOIndirizzo);
void ImpostaShell(std::function<bool(const QString&)> apri);
