#include "foundation/log.h"

#include "foundation/text/textdate.h"
#include "platform/defaults/privatepaths.h"
#include "platform/defaults/userdefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QElapsedTimer>

#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace tlog {
namespace {

QString s_programName;

constexpr auto kLevelKey = "appLogLevel";
// Another program's change of the level is seen within this time.
constexpr qint64 kLevelRefreshMs = 50;

// The level is asked for at every statement, some on hot paths (lookups over a whole account),
// where a preference read each time cost more than the lookups. A change made in this process is
// seen at once through the change signal, one made by another program within kLevelRefreshMs.
class CachedLevel
{
public:
    int value()
    {
        const std::lock_guard lock(m_mutex);
        if (!m_watching) {
            QObject::connect(&UserDefaults::standard(), &UserDefaults::valueChanged,
                             [this](const QString &key) {
                                 if (key == QLatin1String(kLevelKey))
                                     invalidate();
                             });
            m_watching = true;
        }
        if (!m_read.isValid() || m_read.elapsed() >= kLevelRefreshMs) {
            m_value = UserDefaults::standard().integerForKey(QLatin1String(kLevelKey));
            m_read.start();
        }
        return m_value;
    }

private:
    void invalidate()
    {
        const std::lock_guard lock(m_mutex);
        m_read.invalidate();
    }

    std::mutex m_mutex;
    bool m_watching = false;
    int m_value = 0;
    QElapsedTimer m_read;
};

QString prefix(const QString &cls, const QString &op)
{
    return u'[' + cls + u' ' + op + u']';
}

QString programName()
{
    if (!s_programName.isEmpty())
        return s_programName;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationName();
    return QStringLiteral("Tolvane");
}

QString indent(int depth)
{
    return QString(depth * 4, u' ');
}

QString describe(const QVariant &value, int depth)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        QString text = QStringLiteral("{\n");
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            text += indent(depth + 1) + it.key() + QStringLiteral(" = ") +
                    describe(it.value(), depth + 1) + QStringLiteral(";\n");
        return text + indent(depth) + u'}';
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QVariantList list = value.toList();
        QStringList items;
        for (const QVariant &item : list)
            items.append(indent(depth + 1) + describe(item, depth + 1));
        return QStringLiteral("(\n") + items.join(QStringLiteral(",\n")) +
               (items.isEmpty() ? QString() : QStringLiteral("\n")) + indent(depth) + u')';
    }
    case QMetaType::UnknownType:
        return QStringLiteral("(null)");
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDateTime:
        return textdate::format(value.toDateTime());
    case QMetaType::QByteArray:
        return u'<' + QString::fromLatin1(value.toByteArray().toHex()) + u'>';
    default:
        return value.toString();
    }
}

void handleQtMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    write(text);
}

} // namespace

int level()
{
    static CachedLevel cached;
    return cached.value();
}

bool diagnostics()
{
    return level() > 0;
}

bool tracing()
{
    return level() == 2;
}

QString formatDouble(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

void write(const QString &text)
{
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QByteArray line = (stamp + u' ' + programName() + u'[' + QString::number(::getpid()) +
                             QStringLiteral("] ") + text + u'\n')
                                .toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

QString orNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("(null)") : text;
}

QString describe(const QVariant &value)
{
    return describe(value, 0);
}

QString logFilePath(const QString &bundleIdentifier)
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tolvane/") + bundleIdentifier + QStringLiteral(".log");
}

void bare(const QString &text)
{
    if (diagnostics())
        write(text);
}

void trace(const QString &cls, const QString &op)
{
    if (tracing())
        write(u'*' + prefix(cls, op));
}

void verbose(const QString &cls, const QString &op, const QString &message)
{
    if (tracing())
        write(QStringLiteral("(v) ") + prefix(cls, op) + QStringLiteral(" - ") + message);
}

void message(const QString &cls, const QString &op, const QString &message)
{
    if (diagnostics())
        write(prefix(cls, op) + QStringLiteral(" - ") + message);
}

void value(const QString &cls, const QString &op, const QString &name, const QString &value)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + name + QStringLiteral(" = ") + value);
}

void value(const QString &cls, const QString &op, const QString &name, int value)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + name + QStringLiteral(" = ") + QString::number(value));
}

void number(const QString &cls, const QString &op, const QString &name, double value)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + name + QStringLiteral(" = ") + formatDouble(value));
}

void labelled(const QString &cls, const QString &op, const QString &label, const QString &object)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + label + QStringLiteral(": ") + object);
}

void labelled(const QString &cls, const QString &op, const QString &label, int number)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + label + QStringLiteral(": ") + QString::number(number));
}

void labelledNumber(const QString &cls, const QString &op, const QString &label, double number)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + label + QStringLiteral(": ") + formatDouble(number));
}

void size(const QString &cls, const QString &op, const QString &name, const QString &field1,
          double value1, const QString &field2, double value2)
{
    if (diagnostics())
        write(prefix(cls, op) + u' ' + name + QStringLiteral(" - ") + field1 +
              QStringLiteral(" = ") + formatDouble(value1, 2) + QStringLiteral("; ") + field2 +
              QStringLiteral(" = ") + formatDouble(value2, 2));
}

void rect(const QString &cls, const QString &op, const QString &name, double ox, double oy,
          double width, double height)
{
    if (!diagnostics())
        return;
    const auto field = [](const char *label, double v) {
        return QString::fromLatin1(label) + QStringLiteral(" = ") + formatDouble(v, 2);
    };
    write(prefix(cls, op) + u' ' + name + QStringLiteral(" - ") + field("ox", ox) +
          QStringLiteral("; ") + field("oy", oy) + QStringLiteral("; ") + field("width", width) +
          QStringLiteral("; ") + field("height", height));
}

void caughtInTemplate(const QString &cls, const QString &op, const QString &templateName,
                      const QString &exception, const QString &reason)
{
    write(prefix(cls, op) + QStringLiteral(" (Template:") + templateName +
          QStringLiteral(") Caught ") + exception + QStringLiteral(": ") + reason);
}

bool openLogFile(const QString &path, const QString &programName)
{
    s_programName = programName;
    // Made private before the stream opens it: "w" keeps the mode of a file it truncates.
    if (!privatepaths::createFile(path))
        return false;
    if (!std::freopen(QFile::encodeName(path).constData(), "w", stderr))
        return false;
    qInstallMessageHandler(handleQtMessage);
    return true;
}

} // namespace tlog
