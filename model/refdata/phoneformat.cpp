#include "model/refdata/phoneformat.h"

#include "foundation/parsers/phoneparser.h"

#include "foundation/log.h"
#include "foundation/text/zeltormatching.h"
#include "model/fetchlog.h"

namespace {

bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the layout over the digits. A digit written in the layout must be the number's digit at
// that place; a layout that would write a different digit (and so push the number's digits along
// and drop the last) does not fit the number.
bool fits(const QString &layout, const QString &digits)
{
    qsizetype position = 0;
    for (QChar c : layout) {
        if (position >= digits.size())
            return true;
        if (c == u'#') {
            ++position;
        } else if (isDecimalDigit(c)) {
            if (c != digits[position])
                return false;
            ++position;
        }
    }
    return true;
}

QString layOut(const QString &layout, const QString &digits)
{
    QString result;
    qsizetype position = 0;
    for (QChar c : layout) {
        if (position >= digits.size()) {
            result.append(c);
        } else if (c == u'#') {
            result.append(digits[position++]);
        } else {
            result.append(c);
            if (c == digits[position])
                ++position;
        }
    }
    return result;
}

QString chooseLayout(const QList<ManagedObject *> &rows, const QString &number,
                     const QString &digits)
{
    QStringList fitting;
    for (ManagedObject *row : rows) {
        const QString layout = static_cast<PhoneFormat *>(row)->formattingString();
        if (fits(layout, digits))
            fitting.append(layout);
    }
    if (fitting.isEmpty())
        return {};
    if (fitting.size() == 1)
        return fitting.first();
    for (const QString &layout : std::as_const(fitting)) {
        if (!layout.isEmpty() && layout.front() == number.front())
            return layout;
    }
    return fitting.last();
}

} // namespace

const QStringList &PhoneFormat::builtInLayouts()
{
    static const QStringList layouts{QStringLiteral("###-####"), QStringLiteral("(###) ###-####"),
                                     QStringLiteral("1 (###) ###-####")};
    return layouts;
}

int PhoneFormat::digitCountOfLayout(const QString &layout)
{
    int count = 0;
    for (QChar c : layout) {
        if (c == u'#' || isDecimalDigit(c))
            ++count;
    }
    return count;
}

QString PhoneFormat::initialCharacterOfLayout(const QString &layout)
{
    if (layout.isEmpty())
        return QStringLiteral("");
    const QChar first = layout.front();
    if (first == u'#' || first == u'+' || first == u'1' || layout.size() == 1)
        return QString(first);
    return QString(layout[1]);
}

QString PhoneFormat::formatPhoneNumber(const QString &number, ManagedObjectContext &context)
{
    if (number.isNull())
        return {};
    if (number.isEmpty())
        return QStringLiteral("");
    // A number in international form carries its own grouping; no local layout fits it.
    if (number.trimmed().startsWith(u'+'))
        return number;
    // An extension ("x12", "ext. 12") is no part of the number's layout: it follows the laid-out
    // number as typed, and its letters and digits are not counted among the number's.
    const zeltor::PhoneExtension split = zeltor::splitPhoneExtension(number);
    if (!split.extension.isEmpty()) {
        const QString main = formatPhoneNumber(split.number.trimmed(), context);
        return main + u' ' + split.extension;
    }
    const QString digits = zeltor::asPhoneNumber(number);
    StoreError error;
    const auto rows = context.executeFetchTemplate(
        QStringLiteral("numDigits"), {{QStringLiteral("numDigits"), digits.size()}}, &error);
    if (!rows) {
        if (fetchlog::isTemplateFault(error))
            tlog::write(QStringLiteral("Exception: %1 ").arg(error.description));
        tlog::write(QStringLiteral("NumberString = %1").arg(number));
        tlog::write(
            QStringLiteral("NumberString = %1 --> resultArray = ; & error#:%2  userInfo:%3")
                .arg(number, QString::number(int(error.code)), tlog::describe(error.userInfo)));
        return number;
    }
    const QString layout = chooseLayout(*rows, number, digits);
    if (layout.isEmpty())
        return number;
    return layOut(layout, digits);
}
