#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// One property line of a vCard after the lexical work: unfolded, its transfer encoding
// (quoted-printable, Base64) undone and its text decoded from its character set. Text escapes
// ("\n", "\,", "\;", "\\") are undone by text() and components(), since only the reader knows
// whether a value is structured.
struct VCardLine
{
    QByteArray group; // "item1" of "item1.EMAIL", as written
    QByteArray name;  // upper case
    // Every parameter as written, names upper case, quotes removed.
    QList<std::pair<QByteArray, QByteArray>> parameters;
    // TYPE values in lower case, from "TYPE=a,b", repeated "type=" and bare 2.1 types, plus
    // "pref" for a PREF parameter.
    QStringList types;
    bool isBinary = false;
    QByteArray data; // the bytes of a Base64 value
    QString value;   // the text of any other value, still escaped

    bool hasType(const QString &type) const { return types.contains(type); }
    QByteArray parameter(const QByteArray &name) const;
    // The value with escapes undone.
    QString text() const;
    // A structured value (N, ADR, ORG) split at unescaped ";", each part unescaped.
    QStringList components() const;
};

// The lines of one card, between BEGIN:VCARD and END:VCARD.
struct VCard
{
    QByteArray version;
    QList<VCardLine> lines;
    // The values left out because they cannot be decoded, one text each that names the property.
    QStringList skipped;
};
