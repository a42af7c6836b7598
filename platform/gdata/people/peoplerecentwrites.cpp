#include "platform/gdata/people/peoplerecentwrites.h"

#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplesourceaccess.h"

#include <QDateTime>
#include <QHash>

#include <map>

namespace peoplerecentwrites {

namespace {

constexpr qint64 kKeptForMs = 10 * 60 * 1000;

struct Record
{
    GDataPeopleSource source; // none for a deletion; read only when the record is applied
    QDateTime updated;
    qint64 keptAtMs = 0;
};

// By account and kind, then by identifier.
using Records = std::map<QString, Record>;

QHash<QString, Records> &records()
{
    static QHash<QString, Records> all;
    return all;
}

QString keyOf(const QString &account, GDataEntryBase::Kind kind)
{
    return account.toLower() + (kind == GDataEntryBase::Kind::Contact ? u'c' : u'g');
}

std::optional<GDataEntryPtr> entryOf(GDataEntryBase::Kind kind, const QJsonObject &json,
                                     const QString &api, const PeopleProjection &projection)
{
    if (kind == GDataEntryBase::Kind::Contact) {
        if (auto entry = peoplereader::contactFromPerson(json, api, projection))
            return GDataEntryPtr(*entry);
        return std::nullopt;
    }
    if (auto entry = peoplereader::groupFromContactGroup(json, api, projection))
        return GDataEntryPtr(*entry);
    return std::nullopt;
}

} // namespace

void keepWritten(const QString &account, const GDataEntryBase &entry)
{
    if (!PeopleSourceAccess::hasRead(entry.peopleSource()) || entry.identifier().isEmpty())
        return;
    records()[keyOf(account, entry.kind())][entry.identifier()] = {
        entry.peopleSource(), entry.updatedDate(), QDateTime::currentMSecsSinceEpoch()};
}

void keepDeleted(const QString &account, GDataEntryBase::Kind kind, const QString &identifier)
{
    records()[keyOf(account, kind)][identifier] = {{}, {}, QDateTime::currentMSecsSinceEpoch()};
}

void applyToList(const QString &account, GDataEntryBase::Kind kind, const QString &api,
                 const PeopleProjection &projection, std::vector<GDataEntryPtr> &entries)
{
    auto found = records().find(keyOf(account, kind));
    if (found == records().end())
        return;
    Records &kept = *found;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    std::map<QString, size_t> positions;
    for (size_t i = 0; i < entries.size(); ++i)
        positions[entries[i]->identifier()] = i;
    std::vector<bool> dropped(entries.size(), false);
    for (auto it = kept.begin(); it != kept.end();) {
        const auto listed = positions.find(it->first);
        const bool inList = listed != positions.end();
        const Record &record = it->second;
        bool ends = now - record.keptAtMs > kKeptForMs;
        if (!ends && !PeopleSourceAccess::hasRead(record.source)) {
            if (inList)
                dropped[listed->second] = true;
            else
                ends = true;
        } else if (!ends && (!inList || entries[listed->second]->updatedDate() < record.updated)) {
            if (auto entry =
                    entryOf(kind, PeopleSourceAccess::read(record.source), api, projection)) {
                if (inList)
                    entries[listed->second] = *entry;
                else
                    entries.push_back(*entry);
            }
        } else {
            ends = true;
        }
        it = ends ? kept.erase(it) : std::next(it);
    }
    std::vector<GDataEntryPtr> kept_;
    for (size_t i = 0; i < entries.size(); ++i)
        if (i >= dropped.size() || !dropped[i])
            kept_.push_back(entries[i]);
    entries.swap(kept_);
}

void forgetAll()
{
    records().clear();
}

} // namespace peoplerecentwrites
