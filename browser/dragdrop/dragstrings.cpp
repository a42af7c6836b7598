#include "browser/dragdrop/dragstrings.h"

#include "browser/dragdrop/dragtexts.h"

#include <QStringList>

namespace dragstrings {

namespace {

QString text(const QVariantMap &row, const char *key)
{
    return row.value(QString::fromLatin1(key)).toString();
}

QVariantMap dict(const QVariantMap &row, const char *key)
{
    return row.value(QString::fromLatin1(key)).toMap();
}

constexpr const char *kAddressParts[] = {"street1", "street2", "city",
                                         "state",   "postal",  "country"};

QStringList addressParts(const QVariantMap &address)
{
    QStringList parts;
    for (const char *part : kAddressParts)
        parts.append(text(address, part));
    return parts;
}

QString dataLine(const QVariantMap &row)
{
    const QVariantMap name = dict(row, "nameDict");
    QStringList columns = {
        text(name, "first"),
        text(name, "last"),
        text(row, "org"),
        text(row, "job"),
        text(row, "mobilePhone"),
        text(row, "workEmail"),
        text(row, "workPhone"),
        text(row, "workIM"),
        imServiceName(row.value("workIMType")),
        text(row, "homeEmail"),
        text(row, "homePhone"),
        text(row, "homeIM"),
        imServiceName(row.value("homeIMType")),
    };
    columns += addressParts(dict(row, "workAddrDict"));
    columns += addressParts(dict(row, "homeAddrDict"));
    return columns.join(u'\t');
}

class Card
{
public:
    void line(const QString &value)
    {
        if (!value.isEmpty())
            m_text += value + u'\n';
    }
    void line(const QString &format, const QString &value)
    {
        if (!value.isEmpty())
            line(format.arg(value));
    }
    void name(const QVariantMap &nameDict)
    {
        const QString first = text(nameDict, "first");
        const QString last = text(nameDict, "last");
        if (!first.isEmpty() || !last.isEmpty())
            line(dragtexts::name.arg(first, last));
    }
    void im(const QString &format, const QString &handle, const QVariant &type)
    {
        if (!handle.isEmpty())
            line(format.arg(handle, imServiceName(type)));
    }
    // Only an address that says something: its parts joined by "?" are longer than 7 characters.
    void address(const QString &format, const QVariantMap &address)
    {
        const QStringList parts = addressParts(address);
        if (parts.join(u'?').size() <= 7)
            return;
        line(format.arg(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]));
    }
    QString result() const { return m_text; }

private:
    QString m_text;
};

} // namespace

QString imServiceName(const QVariant &type)
{
    bool ok = false;
    const int number = type.toInt(&ok);
    return ok && number >= 0 && number < dragtexts::imServices.size()
               ? dragtexts::imServices[number]
               : QString();
}

QString emailList(const QList<QVariantMap> &rows)
{
    QStringList addresses;
    for (const QVariantMap &row : rows) {
        const QString work = text(row, "workEmail");
        const QString address = work.isEmpty() ? text(row, "homeEmail") : work;
        if (!address.isEmpty())
            addresses.append(address);
    }
    return addresses.join(QStringLiteral(", "));
}

QString tabSeparatedRows(const QList<QVariantMap> &rows, bool withHeader)
{
    QStringList lines;
    if (withHeader)
        lines.append(dragtexts::tabHeader.join(u'\t'));
    for (const QVariantMap &row : rows)
        lines.append(dataLine(row));
    return lines.join(u'\n');
}

QString textCard(const QVariantMap &row)
{
    Card card;
    const QVariantMap name = dict(row, "nameDict");
    if (row.value(QStringLiteral("isCo")).toBool()) {
        card.line(text(row, "org"));
        card.name(name);
        card.line(dragtexts::phone, text(row, "workPhone"));
        card.line(dragtexts::email, text(row, "workEmail"));
        card.address(dragtexts::address, dict(row, "workAddrDict"));
        return card.result();
    }
    card.name(name);
    card.line(text(row, "org"));
    card.line(text(row, "job"));
    card.line(dragtexts::mobile, text(row, "mobilePhone"));
    card.line(dragtexts::work, text(row, "workPhone"));
    card.line(dragtexts::work, text(row, "workEmail"));
    card.im(dragtexts::workIM, text(row, "workIM"), row.value(QStringLiteral("workIMType")));
    card.address(dragtexts::workAddress, dict(row, "workAddrDict"));
    card.line(dragtexts::home, text(row, "homePhone"));
    card.line(dragtexts::home, text(row, "homeEmail"));
    card.im(dragtexts::homeIM, text(row, "homeIM"), row.value(QStringLiteral("homeIMType")));
    card.address(dragtexts::homeAddress, dict(row, "homeAddrDict"));
    return card.result();
}

QString contactDragString(const QList<QVariantMap> &rows, bool option, bool shift)
{
    if (option)
        return tabSeparatedRows(rows, shift);
    if (rows.size() == 1 && shift)
        return textCard(rows.first());
    return emailList(rows);
}

} // namespace dragstrings
