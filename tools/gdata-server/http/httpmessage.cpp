#include "tools/gdata-server/http/httpmessage.h"

HttpResponse HttpResponse::text(int status, const QByteArray &body)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    response.setHeader("Content-Type", "text/plain; charset=UTF-8");
    return response;
}

HttpResponse HttpResponse::atom(int status, const QByteArray &body)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    response.setHeader("Content-Type", "application/atom+xml; charset=UTF-8");
    return response;
}

void HttpResponse::setHeader(const QByteArray &name, const QByteArray &value)
{
    for (auto &[key, old] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            old = value;
            return;
        }
    }
    headers.append({name, value});
}
