#pragma once

#include <QString>

// The preferences the text parsers read at every call; the program registers their factory values.
namespace zeltor {

inline const QString kNameParserPesumeDoubleFirstKey =
    QStringLiteral("nameParserPesumeDoubleFirst");
inline const QString kMinPhoneNumberLengthKey = QStringLiteral("minPhoneNumberLength");
inline const QString kLabel1Key = QStringLiteral("label1");
inline const QString kLabel2Key = QStringLiteral("label2");
inline const QString kLabel3Key = QStringLiteral("label3");
inline const QString kDefaultCountryKey = QStringLiteral("defaultCountry");

} // namespace zeltor
