#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One parameter of a property; a bare parameter of vCard 2.1 ("HOME", "BASE64") has an empty name.
struct VCardParameter
{
    QString name; // upper case
    QString value;
};

// One property of a card, "group.NAME;param=value;...:value", unfolded. A line that is no property
// (a blank line, a line without a colon) has an empty name and keeps its text in physicalLines.
struct VCardContentLine
{
    QString group;
    QString name; // upper case
    QList<VCardParameter> parameters;
    QString value; // unfolded; escapes and encodings as written
    // The lines the property was read from, without their line ends, so that a filter can write
    // the property back exactly as it stood.
    QStringList physicalLines;

    bool isProperty() const { return !name.isEmpty(); }
    // The first parameter of that name (upper case), or a null text.
    QString parameter(const QString &upperName) const;
    // TYPE values, whether written "type=a;type=b", "TYPE=a,b" or bare as in vCard 2.1, in upper
    // case; "PREF" included.
    QStringList types() const;
    bool hasType(const QString &upperType) const { return types().contains(upperType); }
    // "B", "BASE64", "QUOTED-PRINTABLE", ... in upper case, or empty.
    QString encoding() const;

    // The value as text: quoted-printable and the CHARSET parameter undone, then the text escapes.
    QString textValue() const;
    // The data of a binary value: inline Base64 (ENCODING=b, BASE64, a bare BASE64 parameter) or a
    // "data:" URI; nothing when the value holds no inline data or it does not decode.
    std::optional<QByteArray> binaryValue() const;
};

namespace vcard {

// The content lines of a card's text. Lines may end with CR LF, LF or CR. A line beginning with a
// space or a tab continues the one before it; so does a quoted-printable soft line break, and so
// do the unindented Base64 lines that some vCard 2.1 writers put after an encoded property.
QList<VCardContentLine> parseContentLines(const QString &text);

// The first property of that name (upper case, any group), or nothing.
const VCardContentLine *findProperty(const QList<VCardContentLine> &lines, const QString &name);

// Whether the line holds only Base64 symbols and blanks, as an unindented continuation of an
// encoded value does.
bool isBase64Text(QStringView line);

} // namespace vcard
