#include "loader/webview/webviewprofile.h"

#include "app/startup/folderlayout.h"
#include "loader/webview/webviewtexts.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace webviewprofile {

std::shared_ptr<QWebEngineProfile> shared()
{
    static std::weak_ptr<QWebEngineProfile> current;
    if (std::shared_ptr<QWebEngineProfile> open = current.lock())
        return open;
    auto profile = std::make_shared<QWebEngineProfile>(webviewtexts::profileName);
    const QString library = FolderLayout::current().libraryFolderPath;
    // Without a data folder the profile keeps the engine's own place under HOME.
    if (!library.isEmpty())
        profile->setPersistentStoragePath(QDir(library).filePath(webviewtexts::profileFolder));
    // An unreachable address leaves the window's title to say why, not an error page of the
    // engine's; and the page's icon, which nothing shows, would be fetched after the load ended.
    profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    profile->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    current = profile;
    return profile;
}

} // namespace webviewprofile
