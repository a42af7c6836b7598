// demo-settings: signs the main program in to a loopback server's account at its next start.
//   --server URL        the server's base URL (googleServiceBaseURL)
//   --account NAME      the Google account (gsAccount)
//   --password TEXT     stored in the keyring under the program's keychain service and the account;
//                       without it the program asks for the password in its login sheet
//   --contacts-page URL the page the web view window opens (googleContactsPage); optional
// The preferences go into the main program's own domain and the password into the keyring, the
// two places the program reads them from, so the program starts as it would for a user who had
// signed in before.

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/startup/initialdefaults.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/keychain/keychain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "demo-settings: %s\n", qPrintable(text));
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("demo-settings"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Signs Tolvane in to a loopback server's account at its next start"));
    parser.addHelpOption();
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("Server base URL."),
                                    QStringLiteral("url"));
    const QCommandLineOption account(QStringLiteral("account"), QStringLiteral("Google account."),
                                     QStringLiteral("name"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("The account's password."),
                                      QStringLiteral("text"));
    const QCommandLineOption contactsPage(QStringLiteral("contacts-page"),
                                          QStringLiteral("Page of the web view window."),
                                          QStringLiteral("url"));
    parser.addOptions({server, account, password, contactsPage});
    parser.process(app);

    const QUrl serverUrl(parser.value(server), QUrl::StrictMode);
    if (!serverUrl.isValid() || serverUrl.scheme() != u"http" || serverUrl.host().isEmpty())
        return fail(
            QStringLiteral("--server needs an http URL, not \"%1\"").arg(parser.value(server)));
    const QString accountName = parser.value(account).trimmed();
    // A name without "@" would be completed with the mail suffix by the program, and the password
    // would then be stored under another account than the one it signs in with.
    if (!accountName.contains(u'@'))
        return fail(QStringLiteral("--account needs a whole address, not \"%1\"").arg(accountName));
    if (parser.isSet(password) && parser.value(password).isEmpty())
        return fail(QStringLiteral("--password is empty"));

    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    UserDefaults &defaults = UserDefaults::standard();
    if (parser.isSet(password)) {
        // The service name the program looks the password up under: the user's own value if one
        // was set, else the factory value.
        defaults.registerDefaults(initialdefaults::values());
        const QString service = defaults.stringForKey(googlekeys::keychainItemName);
        if (service.isEmpty())
            return fail(QStringLiteral("the program has no keychain service name (%1)")
                            .arg(googlekeys::keychainItemName));
        const KeychainResult stored =
            keychain::writePassword(genericItemRef(service, accountName), parser.value(password));
        if (!stored.ok())
            return fail(QStringLiteral("the keyring did not take the password: %1")
                            .arg(keychainStatusText(stored)));
    }
    defaults.setString(serverUrl.toString(), googlekeys::googleServiceBaseURL);
    defaults.setString(accountName, googlekeys::gsAccount);
    if (parser.isSet(contactsPage))
        defaults.setString(parser.value(contactsPage), appkeys::googleContactsPage);
    return EXIT_SUCCESS;
}
