#include "foundation/vozuveva/vozuvevaalerts.h"

#include "foundation/log.h"
#include "foundation/transientkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"
#include "platform/ui/termination.h"

#include <cstdio>

namespace VozuVeva {
namespace {

const QString kClass = QStringLiteral("VozuVeva");
const QString kQuitNote = QStringLiteral("\nNOTE: The Tolvane application will now quit!");
const QString kDefaultButton = QStringLiteral("OK");
constexpr int kMaxButtons = 3;

Prompt errorPrompt(const ErrorInfo &error)
{
    Prompt prompt;
    prompt.message = error.localizedDescription.isNull()
                         ? QStringLiteral("The operation couldn't be completed. (%1 error %2.)")
                               .arg(error.domain)
                               .arg(error.code)
                         : error.localizedDescription;
    QStringList details;
    for (const QString &detail : {error.failureReason, error.recoverySuggestion}) {
        if (!detail.isEmpty())
            details.append(detail);
    }
    if (!details.isEmpty())
        prompt.informativeText = details.join(u'\n');
    prompt.buttons = error.recoveryOptions.mid(0, kMaxButtons);
    if (prompt.buttons.isEmpty())
        prompt.buttons.append(kDefaultButton);
    return prompt;
}

} // namespace

int showAlertMsg(const QString &msg, const QString &smallMsg, const QString &button1,
                 const QString &button2, const QString &button3, bool shouldTerminate)
{
    tlog::write(QStringLiteral("Alert: ") + tlog::orNull(msg) + QStringLiteral("; Small: ") +
                tlog::orNull(smallMsg) + QStringLiteral("; Terminate: ") +
                QString::number(shouldTerminate ? 1 : 0));

    Prompt prompt;
    prompt.message = msg;
    if (!smallMsg.isNull())
        prompt.informativeText = shouldTerminate ? smallMsg + kQuitNote : smallMsg;
    prompt.buttons.append(button1);
    for (const QString &title : {button2, button3}) {
        if (!title.isNull())
            prompt.buttons.append(title);
    }
    if (shouldTerminate)
        prompt.style = Prompt::Style::Critical;

    const int response = Prompter::current().runModal(prompt);
    if (shouldTerminate) {
        // Preferences are written through at every change; the log is the one stream to flush.
        std::fflush(stderr);
        termination::terminateApplication();
    }
    return response;
}

void logError(const ErrorInfo &error)
{
    tlog::trace(kClass, QStringLiteral("logError:"));
    tlog::bare(QStringLiteral("Error Domain: ") + tlog::orNull(error.domain));
    tlog::bare(QStringLiteral("Error Code: ") + QString::number(error.code));
    tlog::bare(QStringLiteral("Error Description: ") + tlog::orNull(error.localizedDescription));
    tlog::bare(QStringLiteral("Error Reason: ") + tlog::orNull(error.failureReason));
    tlog::bare(QStringLiteral("Error Suggestion: ") + tlog::orNull(error.recoverySuggestion));
    tlog::bare(QStringLiteral("Error UserInfo: ") + (error.userInfo.isEmpty()
                                                         ? tlog::orNull(QString())
                                                         : tlog::describe(error.userInfo)));
    Prompter::current().runModal(errorPrompt(error));
}

void broadcastMessage(const QString &message)
{
    tlog::bare(message);
    UserDefaults::standard().setString(message, transientkeys::kStatusMessage);
}

} // namespace VozuVeva
