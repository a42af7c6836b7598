#pragma once

#include "platform/addressbook/recordclass.h"

// A person outside any book with one of every kind of field, each label kind and a picture.
PersonPtr fullPerson();
