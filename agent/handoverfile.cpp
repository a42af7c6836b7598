#include "agent/handoverfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace handoverfile {

Fields parse(const QString &content)
{
    QStringList fields = content.split(kSeparator);
    Fields parsed;
    if (fields.size() >= 3) {
        parsed.sourceBID = fields.takeLast();
        parsed.documentData = fields.takeLast();
        parsed.text = fields.join(kSeparator);
        return parsed;
    }
    parsed.text = fields.value(0);
    parsed.documentData = fields.value(1);
    return parsed;
}

QString format(const Fields &fields)
{
    return fields.text + kSeparator + fields.documentData + kSeparator + fields.sourceBID;
}

bool isAcceptable(const QString &path, const QString &tmpFolder, QString *why)
{
    const QFileInfo file(path);
    const QString folder = QFileInfo(tmpFolder).canonicalFilePath();
    if (!file.isAbsolute() || folder.isEmpty() || QDir(file.absolutePath()).canonicalPath() != folder) {
        *why = QStringLiteral("%1 is not in the tmp folder.").arg(path);
        return false;
    }
    if (file.isSymLink() || !file.isFile()) {
        *why = QStringLiteral("%1 is not a regular file.").arg(path);
        return false;
    }
    if (file.size() > kMaxSize) {
        *why = QStringLiteral("%1 is too large for a hand-over file.").arg(path);
        return false;
    }
    return true;
}

bool isPlainIdentifier(const QString &identifier)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9._-]*$"));
    return plain.match(identifier).hasMatch();
}

} // namespace handoverfile
