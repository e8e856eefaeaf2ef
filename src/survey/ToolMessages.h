#pragma once

// The command-line tools speak to the user only through their own messages.
// Qt's notices about the session it runs in (no XDG_RUNTIME_DIR on a console
// or over ssh, a missing screen plugin feature, ...) mean nothing to a
// student and are hidden; Qt's critical and fatal messages still show.
namespace toolmessages {

// Call before the application object is made, so that its own start-up
// notices are hidden too.
void keepOnlyOwnMessages();

} // namespace toolmessages
