#pragma once

#include "foundation/errorinfo.h"

#include <QString>

// The standard alert, the error report and the status broadcast of the VozuVeva toolkit.
namespace VozuVeva {

// Logs "Alert: %@; Small: %@; Terminate: %i" at every level, then asks the user through the
// current prompter. The buttons shown are the first and then each further title that is not null;
// the answer is 1000, 1001 or 1002 by the position of the button chosen. With shouldTerminate the
// informative text (when there is one) gets the quit note, the alert is critical, and once it is
// dismissed the program ends; the log and the preferences are on disk by then.
int showAlertMsg(const QString &msg, const QString &smallMsg, const QString &button1,
                 const QString &button2, const QString &button3, bool shouldTerminate);

// Logs the error's six fields at levels above 0 and shows it in a modal alert whose answer is not
// used.
void logError(const ErrorInfo &error);

// Logs the text at levels above 0 and stores it as the preference "statusMessage", which the
// status line observes.
void broadcastMessage(const QString &message);

} // namespace VozuVeva
