#pragma once

#include <QMap>
#include <QString>

// Turns a block of pasted contact text (a mail signature, a business card, an address block) into
// contact fields. The result's keys are key paths into the new-contact dictionary of the panel
// that asks: "nameDict.first", "org", "job", "url", the kinds of phone ("mobilePhone", ...), and
// the e-mail, phone and address keys of the panel's type ("homeEmail", "homeAddrDict.street", ...).
// A key is present only when a rule found its value; text that fits no rule is dropped.
namespace ZeltorCardzap {

using Fields = QMap<QString, QString>;

// The letter case applied to names, job, organisation, street and city: 1 upper, 2 capitalized,
// 3 lower, anything else as typed.
inline const QString kNameCaseKey = QStringLiteral("nameCase");

Fields analyzeString(const QString &text, const QString &defaultType);

} // namespace ZeltorCardzap
