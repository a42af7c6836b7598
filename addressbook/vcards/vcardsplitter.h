#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Cutting vCard data into one item per card, as the address book's own splitter does: a card runs
// from a BEGIN:VCARD line to its END:VCARD line, each at the start of a logical line and in any
// letter case; a card inside a card stays in it. A card whose end was cut off runs to the end of
// the text; text without any card is one item, the input itself.
namespace AddressBookTool {

// Each item is a run of the input bytes themselves, cut at the same places for any ASCII-based
// character set. UTF-16 data (with its byte-order mark, in either byte order) is cut as UTF-8; a
// UTF-8 byte-order mark is dropped.
QList<QByteArray> extractVCardDatas(const QByteArray &data);

// The cards of a vCard file, as extractVCardDatas; empty, with the line "Error in VCard handling"
// in the log, when the file can't be read.
QList<QByteArray> extractPeople(const QString &path);

// The same cuts without copies, for a caller that reads each card once (the import of a large
// file): the data with its byte-order mark dealt with, and views of its cards, valid while that
// data lives. No cards, with the same log line, when the file can't be read.
struct VCardFileCards
{
    QByteArray data;
    QList<QByteArrayView> cards;
};
VCardFileCards extractPeopleViews(const QString &path);

QStringList extractVCardStrings(const QString &text);

} // namespace AddressBookTool
