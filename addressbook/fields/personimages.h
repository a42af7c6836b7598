#pragma once

#include "platform/addressbook/recordclass.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A person's picture, by the person or by its record identifier (ABID). The "AB" readers give the
// record's own picture only (null data, a null image when it has none); the others fall back to
// the program's default picture for the record's kind, so that every record can be shown. An
// empty ABID or one of no person reads as no person.
namespace AddressBookTool {

// Stores the image as TIFF data as the person's picture, without saving; false for no person or
// an image that cannot be written.
bool setImageForPerson(const QImage &image, const PersonPtr &person);
bool setImageForABID(const QImage &image, const QString &abid);

QByteArray imageDataABForPerson(const PersonPtr &person);
QByteArray imageDataABForABID(const QString &abid);
QImage imageABForPerson(const PersonPtr &person);
QImage imageABForABID(const QString &abid);
bool hasImageForPerson(const PersonPtr &person);
bool hasImageForABID(const QString &abid);

QByteArray imageDataForPerson(const PersonPtr &person);
QByteArray imageDataForABID(const QString &abid);
QImage imageForPerson(const PersonPtr &person);
QImage imageForABID(const QString &abid);

} // namespace AddressBookTool
