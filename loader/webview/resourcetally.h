#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

// The resources of one main-frame load: how many were requested, and how many of them finished or
// failed. Ends and failures arrive from the page by address, some twice (an image that answers 404
// is both a finished transfer and a failed element), so each request is settled once: a failure
// wins over an end reported before it, and a report for an address that was not requested since
// the load began (a resource of the previous page, one served again from the renderer's memory)
// counts for nothing, so the finished and failed counts never pass the requested one.
class ResourceTally
{
public:
    void reset();
    void addRequest(const QUrl &url);
    // Each answers whether the counts changed.
    bool markFinished(const QUrl &url);
    bool markFailed(const QUrl &url);

    int requested() const { return m_requested; }
    int completed() const { return m_completed; }
    int failed() const { return m_failed; }

private:
    struct Requests
    {
        int sent = 0;
        int finished = 0;
        int failed = 0;
        bool open() const { return finished + failed < sent; }
    };
    static QString key(const QUrl &url);

    QHash<QString, Requests> m_byAddress;
    int m_requested = 0;
    int m_completed = 0;
    int m_failed = 0;
};
