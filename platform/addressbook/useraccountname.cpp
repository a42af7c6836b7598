#include "platform/addressbook/useraccountname.h"

#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

namespace {

QString fullNameAndLogin(QString *login)
{
    if (const passwd *entry = getpwuid(getuid())) {
        *login = QString::fromLocal8Bit(entry->pw_name);
        // The comment field holds "Full Name,room,phone,...".
        const QString gecos = QString::fromLocal8Bit(entry->pw_gecos ? entry->pw_gecos : "");
        return gecos.section(u',', 0, 0).trimmed();
    }
    *login = qEnvironmentVariable("USER");
    return {};
}

} // namespace

UserAccountName userAccountName()
{
    QString login;
    const QString fullName = fullNameAndLogin(&login).simplified();
    if (fullName.isEmpty())
        return {login.isEmpty() ? QStringLiteral("Me") : login, {}};
    const qsizetype space = fullName.lastIndexOf(u' ');
    if (space < 0)
        return {fullName, {}};
    return {fullName.left(space), fullName.mid(space + 1)};
}
