#pragma once

#include <QString>

// Phone numbers inside a line of free text, and the kind of number the words around them name.
namespace zeltor {

inline const QString kMobilePhoneType = QStringLiteral("mobilePhone");
inline const QString kFaxPhoneType = QStringLiteral("faxPhone");
inline const QString kHomePhoneType = QStringLiteral("homePhone");
inline const QString kWorkPhoneType = QStringLiteral("workPhone");
inline const QString kPlainPhoneType = QStringLiteral("phone");

// True when the text holds a phone number: a run of digits and phone punctuation ("+44 (20)
// 7946-0958") with at least the preference minPhoneNumberLength digits, and never fewer than 3.
bool containsPhoneNumber(const QString &text);

struct PhoneFind
{
    QString phone; // the digits of the number; a leading "+" and an extension (" x12") are kept
    QString pre;   // the text before it, less the word that named its kind
    QString post;  // the text after it, likewise
    QString type;  // one of the types above
};

// A number and the extension written after it ("555 123 4567 x12", "... ext. 12"), the
// extension as typed without the space before it; "" when there is none.
struct PhoneExtension
{
    QString number;
    QString extension;
};
PhoneExtension splitPhoneExtension(const QString &text);

// The longest phone number of the text. Without one: phone "", the whole text as pre, type "phone".
PhoneFind extractPhoneNumber(const QString &text);

} // namespace zeltor
