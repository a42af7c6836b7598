// Faults a test asks for: a status, a delay, a dropped connection or a body that breaks off for
// the next requests whose path (and query, when given) holds a text (the connection dropped
// before the request is applied, or after it, so that the client never learns that it was); a
// status for the batch entry of a batch identifier; an
// interrupted batch; a refused sign-in.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

struct Fault
{
    QString pathContains;
    QString queryContains; // empty: any query
    QByteArray method;     // empty: any
    int status = 0;        // 0: answer normally (after the delay)
    int delayMs = 0;
    QByteArray retryAfter;      // the Retry-After header of the status, when set
    bool drop = false;          // close the connection unanswered, the request not applied
    bool applyThenDrop = false; // apply the request, then close the connection unanswered
    bool cutBody = false;       // answer with the whole length but half the body, then close
    bool malformed = false;     // answer in full, but with a body that breaks off half-way
    // The OAuth error of a status on the token endpoint ("invalid_grant"); empty: by the status.
    QString error;
    int remaining = 1;
    // Replaced answers: the request is not applied and this body goes back whole with status 200
    // (an HTML page a proxy put in place of JSON, a list page a broken service made).
    QByteArray replacementBody;
    QByteArray replacementType;
};

struct BatchEntryFault
{
    int code = 500;
    QString reason;
};

struct BatchInterruption
{
    int after = 0;
    QString reason;
};

class FaultInjector
{
public:
    void addFault(const QJsonObject &description);
    void addBatchEntryFault(const QJsonObject &description);
    void setBatchInterruption(const QJsonObject &description);
    void setLoginFailure(const QJsonObject &description);
    // A People batch refuses one contact: {"index": N} of a create or {"name": "people/c.."} of
    // an update, with the HTTP status ("code") and message ("reason") of its error.
    void addPeopleBatchRefusal(const QJsonObject &description);
    void clear();

    // The first fault that matches, counted as used.
    std::optional<Fault> takeFault(const QByteArray &method, const QString &path,
                                   const QString &query);
    std::optional<BatchEntryFault> takeBatchEntryFault(const QString &batchId);
    std::optional<BatchInterruption> takeBatchInterruption();
    // The refusal of that index or resource name, counted as used.
    std::optional<BatchEntryFault> takePeopleBatchRefusal(const QString &indexOrName);
    // The Error= value of the next refused sign-in.
    std::optional<QString> takeLoginFailure();

private:
    std::vector<Fault> m_faults;
    QHash<QString, BatchEntryFault> m_batchEntries;
    QHash<QString, BatchEntryFault> m_peopleRefusals;
    std::optional<BatchInterruption> m_interruption;
    QString m_loginFailure;
    int m_loginFailures = 0;
};
