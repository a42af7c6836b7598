#pragma once

#include "model/tolvanebase.h"

#include <QStringList>

// One phone number layout, keyed by the number of digits it takes. "#" stands for the next digit,
// a digit stands for itself, anything else is punctuation.
class PhoneFormat : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("PhoneFormat"); }

    // The layouts used when the address book's own formatting is off.
    static const QStringList &builtInLayouts();

    // The number laid out in the layout for its digit count; the number as typed when no layout
    // fits it, when the fetch fails, or when it was typed in international form ("+...").
    static QString formatPhoneNumber(const QString &number, ManagedObjectContext &context);

    // The number of "#" and decimal digit characters of a layout.
    static int digitCountOfLayout(const QString &layout);
    // The layout's first character when it is "#", "+" or "1", else its second (the first for a
    // one-character layout).
    static QString initialCharacterOfLayout(const QString &layout);

    qint64 digitCount() const { return integerValue(QStringLiteral("digitCount")); }
    void setDigitCount(qint64 count) { setValue(QStringLiteral("digitCount"), count); }
    QString formattingString() const { return stringValue(QStringLiteral("formattingString")); }
    void setFormattingString(const QString &layout)
    {
        setValue(QStringLiteral("formattingString"), layout);
    }
    QString initialCharacter() const { return stringValue(QStringLiteral("initialCharacter")); }
    void setInitialCharacter(const QString &character)
    {
        setValue(QStringLiteral("initialCharacter"), character);
    }
};
