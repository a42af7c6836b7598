#include "tools/gdata-server/faultinjector.h"

void FaultInjector::addFault(const QJsonObject &description)
{
    Fault fault;
    fault.pathContains = description.value("path").toString();
    fault.queryContains = description.value("query").toString();
    fault.method = description.value("method").toString().toLatin1();
    fault.status = description.value("status").toInt();
    fault.delayMs = description.value("delayMs").toInt();
    fault.retryAfter = description.value("retryAfter").toString().toLatin1();
    fault.drop = description.value("drop").toBool();
    fault.applyThenDrop = description.value("applyThenDrop").toBool();
    fault.cutBody = description.value("cutBody").toBool();
    fault.malformed = description.value("malformed").toBool();
    fault.error = description.value("error").toString();
    fault.remaining = description.value("count").toInt(1);
    // Replaced answers.
    fault.replacementBody = description.value("replacementBody").toString().toUtf8();
    fault.replacementType = description.value("replacementType").toString().toLatin1();
    m_faults.push_back(fault);
}

void FaultInjector::addBatchEntryFault(const QJsonObject &description)
{
    m_batchEntries.insert(description.value("batchId").toString(),
                          {description.value("code").toInt(500),
                           description.value("reason").toString(QStringLiteral("Error"))});
}

void FaultInjector::addPeopleBatchRefusal(const QJsonObject &description)
{
    const QString key = description.contains("index")
                            ? QString::number(description.value("index").toInt())
                            : description.value("name").toString();
    m_peopleRefusals.insert(key, {description.value("code").toInt(400),
                                  description.value("reason").toString(
                                      QStringLiteral("Request contains an invalid argument."))});
}

std::optional<BatchEntryFault> FaultInjector::takePeopleBatchRefusal(const QString &indexOrName)
{
    const auto found = m_peopleRefusals.constFind(indexOrName);
    if (found == m_peopleRefusals.cend())
        return std::nullopt;
    const BatchEntryFault fault = *found;
    m_peopleRefusals.erase(found);
    return fault;
}

void FaultInjector::setBatchInterruption(const QJsonObject &description)
{
    m_interruption = BatchInterruption{description.value("after").toInt(),
                                       description.value("reason").toString()};
}

void FaultInjector::setLoginFailure(const QJsonObject &description)
{
    m_loginFailure = description.value("error").toString();
    m_loginFailures = description.value("count").toInt(1);
}

void FaultInjector::clear()
{
    *this = FaultInjector();
}

std::optional<Fault> FaultInjector::takeFault(const QByteArray &method, const QString &path,
                                              const QString &query)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (!path.contains(it->pathContains) || !query.contains(it->queryContains) ||
            (!it->method.isEmpty() && it->method != method))
            continue;
        const Fault fault = *it;
        if (--it->remaining <= 0)
            m_faults.erase(it);
        return fault;
    }
    return std::nullopt;
}

std::optional<BatchEntryFault> FaultInjector::takeBatchEntryFault(const QString &batchId)
{
    const auto found = m_batchEntries.constFind(batchId);
    if (found == m_batchEntries.cend())
        return std::nullopt;
    const BatchEntryFault fault = *found;
    m_batchEntries.erase(found);
    return fault;
}

std::optional<BatchInterruption> FaultInjector::takeBatchInterruption()
{
    return std::exchange(m_interruption, std::nullopt);
}

std::optional<QString> FaultInjector::takeLoginFailure()
{
    if (m_loginFailures <= 0)
        return std::nullopt;
    --m_loginFailures;
    return m_loginFailure;
}
