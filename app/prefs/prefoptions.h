// The plain options of the panes, as data: each a title, the preference it binds and the kind of
// control that shows it, in the order the pane lists them.
#pragma once

#include <QString>
#include <QStringList>

#include <span>

class PrefBinder;
class QWidget;

namespace prefoptions {

enum class Kind {
    // A check box over a boolean.
    Check,
    // A pop-up over an integer, the choice's index.
    Choice,
    // A text field.
    Text,
    // A heading between groups of options; it binds nothing.
    Heading,
};

struct PrefOption
{
    QString title;
    const QString *key;
    Kind kind;
    QStringList choices;
};

std::span<const PrefOption> generalOptions();
std::span<const PrefOption> addressBookOptions();
std::span<const PrefOption> googleOptions();
std::span<const PrefOption> vCardOptions();
std::span<const PrefOption> consoleOptions();

// A page of the options, each control bound to its key, in a scroll area where they are many.
QWidget *makeOptionPage(std::span<const PrefOption> options, PrefBinder &binder);
// Adds the options' controls to the page's form, made when the page has no layout yet.
void addOptions(std::span<const PrefOption> options, PrefBinder &binder, QWidget *page);
// The page in a scroll area, for a pane of many options.
QWidget *scrolled(QWidget *page);

} // namespace prefoptions
