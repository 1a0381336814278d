#pragma once

class QString;

namespace desktop {

// Shows an error in a message box, writes it to standard error and ends the program with exit
// code 1 once the event loop regains control.
void reportFatal(const QString& message);

} // namespace desktop
