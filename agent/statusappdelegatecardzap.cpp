#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"

#include "agent/handoverfile.h"
#include "agent/quickentrycontroller.h"
#include "agent/quickentrypanel.h"
#include "foundation/log.h"

#include <QDir>
#include <QFile>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");

// L/tmp, where the service writes its hand-over files.
QString handOverFolder(StatusAppDelegate &delegate)
{
    if (const std::optional<QString> tmp = delegate.tmpFolderPath())
        return *tmp;
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("Tolvane/tmp"));
}

} // namespace

bool StatusAppDelegate::cardzapFromFile(const QString &path, QString *why)
{
    // Only a hand-over file is read and removed: any other path a caller names stays untouched.
    if (!handoverfile::isAcceptable(path, handOverFolder(*this), why)) {
        tlog::write(QStringLiteral("[%1 %2] - refused: %3")
                        .arg(kClass, QStringLiteral("cardzapFromFile:"), *why));
        return false;
    }
    QFile file(path);
    QString content;
    if (file.open(QIODevice::ReadOnly)) {
        content = QString::fromUtf8(file.read(handoverfile::kMaxSize));
        file.close();
    }
    if (!m_quickEntry)
        m_quickEntry = std::make_unique<QuickEntryController>(this);
    if (!QFile::remove(path))
        tlog::message(kClass, QStringLiteral("cardzapFromFile:"),
                      QStringLiteral("[%1 %2] %3: %4")
                          .arg(kClass, QStringLiteral("cardzapFromFile:"),
                               QStringLiteral("An error occurred when attempting to remove file"),
                               path));
    m_quickEntry->openFromHandOver(handoverfile::parse(content));
    placeUnderStatusItem(m_quickEntry->panel());
    return true;
}

void StatusAppDelegate::openCardzapPanelWithString(const QString &text)
{
    if (!m_quickEntry)
        m_quickEntry = std::make_unique<QuickEntryController>(this);
    placeUnderStatusItem(m_quickEntry->panel());
    m_quickEntry->openWithString(text);
}
