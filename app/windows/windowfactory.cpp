#include "app/windows/windowfactory.h"

#include "foundation/log.h"

#include <map>

namespace windowfactory {

namespace {

std::map<WindowController::Kind, Maker> &makers()
{
    static std::map<WindowController::Kind, Maker> registry;
    return registry;
}

QString kindName(WindowController::Kind kind)
{
    switch (kind) {
    case WindowController::Kind::DataMover:
        return QStringLiteral("DataMover");
    case WindowController::Kind::Browser:
        return QStringLiteral("GoogleBrowser");
    case WindowController::Kind::Preview:
        return QStringLiteral("GooglePreview");
    case WindowController::Kind::WebView:
        return QStringLiteral("SafariView");
    }
    return QString();
}

} // namespace

void setMaker(WindowController::Kind kind, Maker maker)
{
    if (maker)
        makers()[kind] = std::move(maker);
    else
        makers().erase(kind);
}

bool hasMaker(WindowController::Kind kind)
{
    return makers().count(kind) > 0;
}

std::unique_ptr<WindowController> make(WindowController::Kind kind)
{
    const auto maker = makers().find(kind);
    if (maker == makers().end()) {
        tlog::write(QStringLiteral("No window is built for %1").arg(kindName(kind)));
        return nullptr;
    }
    return maker->second();
}

void clear()
{
    makers().clear();
}

} // namespace windowfactory
