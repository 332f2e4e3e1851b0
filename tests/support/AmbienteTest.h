#pragma once

#include <functional>

// Things to put back before every test, registered by the modules that have a
// seam (the probe, today's date, the dialogs...). Each runs at the start of
// every test, after the globals are reset.
void RegistraAzzeramento(std::function<void()> azzera);
void AzzeraTutto();
