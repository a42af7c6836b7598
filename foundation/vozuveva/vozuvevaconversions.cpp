#include "foundation/vozuveva/vozuvevaconversions.h"

#include "foundation/log.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

namespace VozuVeva {
namespace {

const QString kClass = QStringLiteral("VozuVeva");
constexpr int kScale = 2;
// The exponent range of the decimal numbers the conversions stand for.
constexpr int kMaxExponent = 127;

struct Decimal
{
    bool negative = false;
    QString digits;   // without leading zeros; empty for zero
    int exponent = 0; // value = digits × 10^exponent
};

std::optional<Decimal> parse(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d{1,6}))?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    Decimal decimal;
    decimal.negative = match.captured(1) == u'-';
    decimal.digits = match.captured(2) + match.captured(3);
    decimal.exponent = match.captured(4).toInt() - int(match.captured(3).size());
    while (decimal.digits.startsWith(u'0'))
        decimal.digits.remove(0, 1);
    if (decimal.digits.isEmpty())
        return Decimal{};
    if (decimal.exponent + decimal.digits.size() > kMaxExponent)
        return std::nullopt;
    return decimal;
}

// Half to even at kScale places.
Decimal rounded(Decimal decimal)
{
    const int drop = -kScale - decimal.exponent;
    if (drop <= 0 || decimal.digits.isEmpty())
        return decimal;
    const QString padded =
        QString(std::max(0, drop - int(decimal.digits.size()) + 1), u'0') + decimal.digits;
    QString kept = padded.left(padded.size() - drop);
    const QString gone = padded.right(drop);
    const bool above =
        gone[0] > u'5' ||
        (gone[0] == u'5' && gone.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]"))));
    const bool tie = gone[0] == u'5' && !above;
    const bool odd = (kept.back().digitValue() % 2) == 1;
    if (above || (tie && odd)) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[i] == u'9')
            kept[i--] = u'0';
        if (i < 0)
            kept.prepend(u'1');
        else
            kept[i] = QChar(u'0' + kept[i].digitValue() + 1);
    }
    Decimal result{decimal.negative, kept, -kScale};
    while (result.digits.startsWith(u'0'))
        result.digits.remove(0, 1);
    if (result.digits.isEmpty())
        return Decimal{};
    return result;
}

// The plain text of a decimal, without trailing zeros after the point.
QString text(const Decimal &decimal)
{
    if (decimal.digits.isEmpty())
        return QStringLiteral("0");
    QString digits = decimal.digits;
    int exponent = decimal.exponent;
    while (exponent < 0 && digits.endsWith(u'0')) {
        digits.chop(1);
        ++exponent;
    }
    QString result;
    if (exponent >= 0) {
        result = digits + QString(exponent, u'0');
    } else {
        const int fraction = -exponent;
        if (digits.size() <= fraction)
            digits.prepend(QString(fraction - digits.size() + 1, u'0'));
        result = digits.left(digits.size() - fraction) + u'.' + digits.right(fraction);
    }
    return decimal.negative ? u'-' + result : result;
}

void logRefused(const QString &op, const QString &input)
{
    tlog::write(
        QStringLiteral("[%1 %2] %3: %4")
            .arg(kClass, op, QStringLiteral("ERROR:"), QStringLiteral("cannot convert ") + input));
}

} // namespace

float decimalToFloat(const QString &decimal)
{
    const std::optional<Decimal> parsed = parse(decimal);
    const float value = parsed ? text(rounded(*parsed)).toFloat() : 0.0f;
    if (!parsed || !std::isfinite(value)) {
        logRefused(QStringLiteral("decimalToFloat:"), decimal);
        return 0.0f;
    }
    return value;
}

QString floatToDecimal(float value)
{
    const QString written = QString::number(double(value), 'g', 7);
    const std::optional<Decimal> parsed =
        std::isfinite(value) ? parse(written) : std::optional<Decimal>{};
    if (!parsed) {
        logRefused(QStringLiteral("floatToDecimal:"), written);
        return QStringLiteral("0");
    }
    return text(rounded(*parsed));
}

QString decimalToString(const QString &decimal)
{
    const std::optional<Decimal> parsed = parse(decimal);
    if (!parsed) {
        logRefused(QStringLiteral("decimalToString:"), decimal);
        return QStringLiteral("0");
    }
    return text(rounded(*parsed));
}

float doubleToFloat(double value)
{
    return float(value);
}

double floatToDouble(float value)
{
    return double(value);
}

QString doubleToString(double value)
{
    return QString::number(value, 'g', 16);
}

QString astrologicalSignFromMonth(int month, int day)
{
    struct Month
    {
        const char *first;
        int lastDay;
        const char *second;
    };
    static constexpr Month kMonths[] = {
        {"Capricorn", 20, "Aquarius"},  {"Aquarius", 19, "Pisces"},
        {"Pisces", 20, "Aries"},        {"Aries", 20, "Taurus"},
        {"Taurus", 21, "Gemini"},       {"Gemini", 21, "Cancer"},
        {"Cancer", 22, "Leo"},          {"Leo", 21, "Virgo"},
        {"Virgo", 23, "Libra"},         {"Libra", 23, "Scorpio"},
        {"Scorpio", 22, "Sagittarius"}, {"Sagittarius", 22, "Capricorn"},
    };
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    const Month &entry = kMonths[month - 1];
    return QString::fromLatin1(day <= entry.lastDay ? entry.first : entry.second);
}

} // namespace VozuVeva
