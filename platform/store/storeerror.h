#pragma once

#include <QString>
#include <QVariantMap>

// Why a store operation failed. Fetches answer no result and saves answer false, and the error says
// why, so a caller can tell an empty result from a failed one.
struct StoreError
{
    enum Code {
        NoError = 0,
        MissingFetchTemplate,
        MissingSubstitutionVariable,
        UnknownEntity,
        MissingMandatoryValue,
        InvalidValueType,
        ValidationFailed,
        UniqueConstraint,
        MergeConflict,
        SqlFailure,
    };

    Code code = NoError;
    QString domain = QStringLiteral("TolvaneStoreErrorDomain");
    QString description;
    QVariantMap userInfo;

    bool isError() const { return code != NoError; }
    static StoreError make(Code code, const QString &description, const QVariantMap &userInfo = {})
    {
        StoreError error;
        error.code = code;
        error.description = description;
        error.userInfo = userInfo;
        error.userInfo.insert(QStringLiteral("description"), description);
        return error;
    }
};

// Fills an out-parameter only when the caller passed one.
inline void setStoreError(StoreError *out, const StoreError &error)
{
    if (out)
        *out = error;
}
