#pragma once

// Makes Messaggio() show real message boxes, parented to the active window.
void InstallaMessaggiQt();
