// The value elements of a contact entry. An absent attribute (rel, label) stays distinct from an
// empty one, so what the server holds is written back as it was read.
#pragma once

#include "platform/gdata/entries/gdatapeoplesource.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct GDataEmail
{
    QString address;
    std::optional<QString> rel;
    std::optional<QString> label;
    bool primary = false;
    GDataPeopleSource peopleSource = {};

    static GDataEmail emailWithLabel(const std::optional<QString> &label, const QString &address)
    {
        return {address, std::nullopt, label, false};
    }
};

struct GDataPhoneNumber
{
    QString stringValue;
    std::optional<QString> rel;
    std::optional<QString> label;
    bool primary = false;
    GDataPeopleSource peopleSource = {};

    static GDataPhoneNumber phoneNumberWithString(const QString &number)
    {
        return {number, std::nullopt, std::nullopt, false};
    }
};

// gd:postalAddress: the whole address as multi-line plain text.
struct GDataPostalAddress
{
    QString stringValue;
    std::optional<QString> rel;
    std::optional<QString> label;
    bool primary = false;
    GDataPeopleSource peopleSource = {};

    static GDataPostalAddress postalAddressWithString(const QString &text)
    {
        return {text, std::nullopt, std::nullopt, false};
    }
};

struct GDataIM
{
    QString address;
    std::optional<QString> protocol;
    std::optional<QString> rel;
    std::optional<QString> label;
    bool primary = false;
    GDataPeopleSource peopleSource = {};

    static GDataIM IMWithProtocol(const std::optional<QString> &protocol,
                                  const std::optional<QString> &rel,
                                  const std::optional<QString> &label, const QString &address)
    {
        return {address, protocol, rel, label, false};
    }
};

struct GDataOrganization
{
    std::optional<QString> orgName;
    std::optional<QString> orgTitle;
    std::optional<QString> rel;
    std::optional<QString> label;
    bool primary = false;
    // Children other than name and title (department, symbol...), kept as standalone XML so
    // an update writes them back.
    std::vector<QByteArray> otherElements = {};
    GDataPeopleSource peopleSource = {};

    static GDataOrganization organizationWithName(const QString &name)
    {
        return {name, std::nullopt, std::nullopt, std::nullopt, false};
    }
};

// A contact's membership of a group: href is the group's identifier.
struct GDataGroupMembershipInfo
{
    QString href;
    bool deleted = false;
    GDataPeopleSource peopleSource = {};

    static GDataGroupMembershipInfo groupMembershipInfoWithHref(const QString &href)
    {
        return {href, false};
    }
};

inline bool operator==(const GDataGroupMembershipInfo &a, const GDataGroupMembershipInfo &b)
{
    return a.href == b.href && a.deleted == b.deleted;
}
