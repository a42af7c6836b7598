// The handle of one request: compared by identity, it carries the caller's own values while the
// request runs and the HTTP status of its final response.
#pragma once

#include <QHash>
#include <QString>

#include <any>
#include <memory>

class GDataServiceTicket;
using GDataServiceTicketPtr = std::shared_ptr<GDataServiceTicket>;

class GDataServiceTicket
{
public:
    void setProperty(const QString &key, const std::any &value);
    // An empty std::any when the key was never set.
    std::any property(const QString &key) const { return m_properties.value(key); }
    template <typename T> T propertyAs(const QString &key, const T &fallback = T()) const
    {
        const std::any value = property(key);
        if (const T *typed = std::any_cast<T>(&value))
            return *typed;
        return fallback;
    }

    // 0 until a response arrived.
    int statusCode() const { return m_statusCode; }
    void setStatusCode(int code) { m_statusCode = code; }

    // A cancelled ticket calls neither of its callbacks.
    void cancelTicket() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

private:
    QHash<QString, std::any> m_properties;
    int m_statusCode = 0;
    bool m_cancelled = false;
};
