#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>

// A whole address book for upload tests, made in the shared book (unsaved): persons and
// companies with every kind of field, standard and custom labels and some pictures, ten groups,
// two smart groups, and the Me record among the people.
struct UploadBook
{
    QList<PersonPtr> people;
    QList<GroupPtr> groups;
    QList<GroupPtr> smartGroups;
    PersonPtr me;

    QList<GroupPtr> allGroups() const { return groups + smartGroups; }
};

// count people (the book's Me record is the first of them); every tenth is a company, every
// seventh has a picture.
UploadBook makeUploadBook(int count = 300);

// The custom label the book gives its own e-mail, phone and address entries.
inline const QString kUploadBookCustomLabel = QStringLiteral("Boat");
// The smart groups' criteria: job title and department values some people hold.
inline const QString kUploadBookPilot = QStringLiteral("Pilot");
inline const QString kUploadBookSails = QStringLiteral("Sails");
