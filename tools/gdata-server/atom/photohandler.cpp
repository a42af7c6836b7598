#include "tools/gdata-server/atom/photohandler.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdataentrycontact.h"

namespace {

struct Image
{
    QByteArray data;
    QByteArray type;
};

// The image part of a multipart/related body.
std::optional<Image> imagePart(const QByteArray &contentType, const QByteArray &body)
{
    const qsizetype at = contentType.indexOf("boundary=");
    if (at < 0)
        return std::nullopt;
    QByteArray boundary = contentType.mid(at + 9).split(';').first().trimmed();
    if (boundary.startsWith('"') && boundary.endsWith('"') && boundary.size() >= 2)
        boundary = boundary.mid(1, boundary.size() - 2);
    const QByteArray delimiter = "--" + boundary;
    qsizetype from = body.indexOf(delimiter);
    while (from >= 0) {
        const qsizetype start = from + delimiter.size();
        const qsizetype next = body.indexOf(delimiter, start);
        if (next < 0)
            break;
        const QByteArray part = body.mid(start, next - start);
        const qsizetype headerEnd = part.indexOf("\r\n\r\n");
        if (headerEnd >= 0) {
            const QByteArray headers = part.left(headerEnd).toLower();
            const qsizetype typeAt = headers.indexOf("content-type:");
            const QByteArray type =
                typeAt < 0 ? QByteArray() : headers.mid(typeAt + 13).split('\r').first().trimmed();
            if (type.startsWith("image/")) {
                QByteArray data = part.mid(headerEnd + 4);
                if (data.endsWith("\r\n"))
                    data.chop(2);
                return Image{data, type};
            }
        }
        from = next;
    }
    return std::nullopt;
}

std::optional<QString> ifMatch(const HttpRequest &request)
{
    const QByteArray value = request.header("if-match");
    if (value.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(value);
}

} // namespace

HttpResponse PhotoHandler::handle(const QByteArray &method, const HttpRequest &request,
                                  Account &account, const QString &localId)
{
    StoredEntry *stored = account.find(Account::Collection::Contacts, localId);
    if (!stored || stored->entry->isDeleted())
        return HttpResponse::text(404, "Contact not found.\n");
    if (method == "GET") {
        if (stored->photo.data.isEmpty())
            return HttpResponse::text(404, "Photo not found.\n");
        HttpResponse response;
        response.body = stored->photo.data;
        response.setHeader("Content-Type", stored->photo.type);
        response.setHeader("ETag", stored->photo.etag.toUtf8());
        return response;
    }
    if (method == "PUT")
        return put(request, account, *stored);
    if (method == "DELETE")
        return remove(request, *stored);
    return HttpResponse::text(405, "Method not allowed.\n");
}

HttpResponse PhotoHandler::put(const HttpRequest &request, Account &account, StoredEntry &stored)
{
    const auto precondition = ifMatch(request);
    if (precondition && *precondition != QLatin1String("*") && *precondition != stored.photo.etag)
        return HttpResponse::text(412, "Precondition Failed: photo etag mismatch.\n");
    const QByteArray contentType = request.header("content-type");
    std::optional<Image> image;
    if (contentType.toLower().startsWith("multipart/related"))
        image = imagePart(contentType, request.body);
    else if (contentType.toLower().startsWith("image/"))
        image = Image{request.body, contentType};
    if (!image || image->data.isEmpty())
        return HttpResponse::text(400, "No image in the request.\n");
    if (image->data.size() > m_options.photoSizeLimit)
        return HttpResponse::text(413, "Photo too large.\n");
    stored.photo = {image->data, image->type, m_state.nextETag()};
    photoChanged(stored);
    GDataEntryContact answer;
    answer.setIdentifier(m_urls.photo(account.email(), stored.localId));
    answer.setUpdatedDate(m_state.nextUpdated());
    answer.setETag(stored.photo.etag);
    return HttpResponse::atom(200, atomwriter::entryXML(answer));
}

HttpResponse PhotoHandler::remove(const HttpRequest &request, StoredEntry &stored)
{
    if (stored.photo.data.isEmpty())
        return HttpResponse::text(404, "Photo not found.\n");
    const auto precondition = ifMatch(request);
    if (precondition && *precondition != QLatin1String("*") && *precondition != stored.photo.etag)
        return HttpResponse::text(412, "Precondition Failed: photo etag mismatch.\n");
    stored.photo = {};
    photoChanged(stored);
    return HttpResponse::text(200, {});
}

void PhotoHandler::photoChanged(StoredEntry &stored)
{
    if (!m_options.photoBumpsUpdated)
        return;
    GDataEntryPtr entry = stored.entry->copy();
    entry->setUpdatedDate(m_state.nextUpdated());
    entry->setETag(m_state.nextETag());
    stored.entry = entry;
}
