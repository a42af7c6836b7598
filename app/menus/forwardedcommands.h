#pragma once

#include <QString>

#include <optional>

// The menu commands that only pass a command on to the data loader window, which asks for
// confirmation and runs it. Each keeps the command's name, or names the one it is sent as, and
// says whether the loader gets the menu item (whose title names a group) or the application
// delegate as sender.
namespace forwardedcommands {

enum class Sender { MenuItem, ApplicationDelegate };

struct Forwarded
{
    QString sentAs;
    Sender sender;
};

// What the command is sent as; nothing for a command that is not forwarded.
std::optional<Forwarded> lookup(const QString &command);

} // namespace forwardedcommands
