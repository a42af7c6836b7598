#include "tools/gdata-server/people/photoserving.h"

namespace {

// A 1x1 grey PNG: every contact without a photo of its own shows this one.
const QByteArray kDefaultPhoto = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAACklEQVR4nGOoBwAAegB5Wkg+dQAAAABJRU5ErkJggg==");

HttpResponse image(const QByteArray &data, const QByteArray &type)
{
    HttpResponse response;
    response.body = data;
    response.setHeader("Content-Type", type);
    response.setHeader("Cache-Control", "public, max-age=86400");
    return response;
}

} // namespace

namespace photoserving {

bool handles(const QString &path)
{
    return path.startsWith(QLatin1String("/photos/"));
}

HttpResponse serve(ServerState &state, const HttpRequest &request)
{
    if (request.method != "GET")
        return HttpResponse::text(405, "Method not allowed.\n");
    const QStringList parts = request.url.path().split(u'/');
    // "", "photos", "default", id  or  "", "photos", account, id, version
    if (parts.size() == 4 && parts[2] == QLatin1String("default"))
        return image(kDefaultPhoto, "image/png");
    Account *account =
        parts.size() == 5 ? state.account(QUrl::fromPercentEncoding(parts[2].toLatin1())) : nullptr;
    const StoredEntry *stored =
        account ? account->find(Account::Collection::Contacts, parts[3]) : nullptr;
    if (!stored || stored->entry->isDeleted() || stored->photo.data.isEmpty())
        return HttpResponse::text(404, "Not found.\n");
    return image(stored->photo.data, stored->photo.type);
}

} // namespace photoserving
