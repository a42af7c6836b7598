#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The answers of an alert or a sheet, by the buttons shown: the first, second and third.
inline constexpr int kAlertFirstButtonReturn = 1000;
inline constexpr int kAlertSecondButtonReturn = 1001;
inline constexpr int kAlertThirdButtonReturn = 1002;

// What an alert or a sheet shows: a message, an informative text (none when null) and one to
// three buttons in order; the first is the default button.
struct Prompt
{
    enum class Style { Warning, Critical };

    QString message;
    QString informativeText;
    QStringList buttons;
    Style style = Style::Warning;

    bool operator==(const Prompt &) const = default;
};

// Everything the user is asked goes through the current prompter: the programs show Qt dialogs,
// tests answer from a script.
class Prompter
{
public:
    virtual ~Prompter();

    // Runs application-modal and answers kAlertFirstButtonReturn plus the index of the button
    // chosen.
    virtual int runModal(const Prompt &prompt) = 0;

    // Shows the prompt as a sheet on the window and returns at once; the completion gets the
    // answer later on the event loop, never inside this call.
    virtual void beginSheet(const Prompt &prompt, QWidget *window,
                            std::function<void(int)> completion) = 0;

    // The installed prompter, else the Qt dialogs.
    static Prompter &current();
    // Not owned; nullptr puts the Qt dialogs back. Returns the one installed before.
    static Prompter *install(Prompter *prompter);
};
