#pragma once

#include "platform/addressbook/recordclass.h"

#include <QByteArray>

// A person outside any book with one of every kind of field, each label kind and a picture.
PersonPtr fullPerson();

// A real picture (a 4 x 3 PNG), as the vCard reader keeps only bytes that make one.
QByteArray smallPicture();
