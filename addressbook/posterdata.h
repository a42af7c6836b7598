#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace AddressBookTool {

// A few lines that show the person at a glance, each after the first opened by a carriage return:
// the name (a company's organisation), then as the preferences displayOrgAndJob, displayFirst
// (0: phone before e-mail; 1: e-mail before phone; else neither) and displayCSZ ask, the
// organisation and job title, the work (else home) e-mail, the work, mobile or home phone, and the
// city, state and ZIP of the last work address. "" for no person.
QString posterDataForPerson(const PersonPtr &person);

} // namespace AddressBookTool
