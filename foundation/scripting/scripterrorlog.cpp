#include "foundation/scripting/scripterrorlog.h"

#include "foundation/log.h"

namespace {

// The error information as the old platform printed a dictionary.
QString describe(const QVariantMap &errorInfo)
{
    QString text = QStringLiteral("{\n");
    for (auto it = errorInfo.cbegin(); it != errorInfo.cend(); ++it) {
        const QVariant &value = it.value();
        const QString shown = value.metaType().id() == QMetaType::QString
                                  ? u'"' + value.toString() + u'"'
                                  : value.toString();
        text += QStringLiteral("    %1 = %2;\n").arg(it.key(), shown);
    }
    return text + u'}';
}

} // namespace

void logScriptError(const QString &cls, const QString &op, const QVariantMap &errorInfo)
{
    if (!tlog::diagnostics())
        return;
    tlog::value(cls, op, QStringLiteral("[errorDict objectForKey:@\"NSAppleScriptErrorMessage\"]"),
                errorInfo.value(QStringLiteral("NSAppleScriptErrorMessage")).toString());
    tlog::value(cls, op, QStringLiteral("errorDict"), describe(errorInfo));
}
