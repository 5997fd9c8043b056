#pragma once
// The toolkit's own messages on the way to stderr. Fatal ones end the process; where that is
// because no display could be opened, the user gets one line naming the display and exit
// status 1 instead of an abort.

// Installs the handler; call before the application object is made.
void installstartupmessages();
// The application object exists: platform warnings held back since start-up are let through.
void startupdone();
