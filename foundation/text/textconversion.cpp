#include "foundation/text/textconversion.h"

#include "foundation/log.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>

namespace zeltor {

namespace {

// ---- dates ----------------------------------------------------------------------------------

enum class Field { Neither, Month, Day };

struct FieldOrder
{
    Field first = Field::Neither;
    Field second = Field::Neither;
};

// A format field tells its meaning by its first letter, so "d", "dd", "M" and "MMM" all count.
Field fieldOf(const QString &field)
{
    if (field.isEmpty())
        return Field::Neither;
    switch (field.at(0).toUpper().unicode()) {
    case 'M':
    case 'B':
    case 'L':
        return Field::Month;
    case 'D':
    case 'E':
        return Field::Day;
    default:
        return Field::Neither;
    }
}

// The order of the fields in the user's short date format, whatever separates them.
FieldOrder shortDateFieldOrder()
{
    static const QRegularExpression separators(QStringLiteral("[^A-Za-z]+"));
    const QStringList fields =
        QLocale().dateFormat(QLocale::ShortFormat).split(separators, Qt::SkipEmptyParts);
    FieldOrder order;
    if (fields.size() >= 2) {
        order.first = fieldOf(fields.at(0));
        order.second = fieldOf(fields.at(1));
    }
    return order;
}

// One piece of a typed date: the number it starts with and how many digits that number has.
struct Piece
{
    QString text;
    int value = 0;
    int digits = 0;

    bool isNumeric() const { return value != 0; }
    bool isPresent() const { return !text.isNull(); }
};

Piece pieceOf(const QString &text)
{
    Piece piece{text, 0, 0};
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    qint64 value = 0;
    for (; i < text.size() && text.at(i).isDigit(); ++i) {
        if (value < 100000000)
            value = value * 10 + text.at(i).digitValue();
        ++piece.digits;
    }
    piece.value = int(negative ? -value : value);
    return piece;
}

// The month a name stands for (1 to 12), short names first; 0 when it is no month name.
int monthNamed(const QString &name)
{
    const QLocale locale;
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        for (int month = 1; month <= 12; ++month) {
            if (locale.monthName(month, format) == name)
                return month;
        }
    }
    return 0;
}

// A two-digit year is the nearest one: 00-29 this century, 30-99 the last.
int widenedYear(const Piece &year)
{
    if (!year.isPresent() || year.digits == 0)
        return QDate::currentDate().year();
    if (year.digits <= 2)
        return year.value + (year.value < 30 ? 2000 : 1900);
    return year.value;
}

QStringList datePieces(QString text)
{
    text.remove(u',');
    QStringList words = text.split(u' ');
    if (words.size() == 6) {
        words.removeFirst(); // a leading weekday
        text = words.join(u' ');
    }
    for (QChar separator : {u'-', u'/', u' '}) {
        const QStringList pieces = text.split(separator);
        if (pieces.size() >= 2)
            return pieces;
    }
    return {};
}

struct DayMonthYear
{
    Piece day;
    int month = 0;
    Piece year;
};

// Three pieces or more: a name is always the month; a four-digit piece in front is the year.
std::optional<DayMonthYear> readThreePieces(const Piece &p1, const Piece &p2, const Piece &p3,
                                            FieldOrder order)
{
    if (!p1.isNumeric())
        return DayMonthYear{p2, monthNamed(p1.text), p3};
    if (!p2.isNumeric()) {
        if (p1.digits >= 4)
            return DayMonthYear{p3, monthNamed(p2.text), p1};
        return DayMonthYear{p1, monthNamed(p2.text), p3};
    }
    if (p1.digits >= 4)
        return DayMonthYear{p3, p2.value, p1};
    switch (order.first) {
    case Field::Month:
        if (order.second == Field::Day)
            return DayMonthYear{p2, p1.value, p3};
        return DayMonthYear{p3, p1.value, p2};
    case Field::Day:
        if (order.second == Field::Month)
            return DayMonthYear{p1, p2.value, p3};
        return DayMonthYear{p1, p3.value, p2};
    case Field::Neither:
        if (order.second == Field::Month)
            return DayMonthYear{p3, p2.value, p1};
        return DayMonthYear{p2, p3.value, p1};
    }
    return std::nullopt;
}

// Two pieces: day and month of the current year.
std::optional<DayMonthYear> readTwoPieces(const Piece &p1, const Piece &p2, FieldOrder order)
{
    if (!p1.isNumeric())
        return DayMonthYear{p2, monthNamed(p1.text), {}};
    if (!p2.isNumeric())
        return DayMonthYear{p1, monthNamed(p2.text), {}};
    Field first = order.first;
    if (first == Field::Neither) {
        // A format that starts with the year keeps its day-month order behind it.
        first = order.second;
    }
    if (first == Field::Month)
        return DayMonthYear{p2, p1.value, {}};
    if (first == Field::Day)
        return DayMonthYear{p1, p2.value, {}};
    return std::nullopt;
}

// ---- numbers --------------------------------------------------------------------------------

// The leading number of a text in the C locale's form: sign, digits, point, digits, exponent.
struct NumberText
{
    bool negative = false;
    QString digits;      // integer and fraction digits, without the point
    qint64 exponent = 0; // value = digits x 10^exponent
    QString prefix;      // the characters read, for the double conversion
};

std::optional<NumberText> leadingNumber(const QString &text)
{
    NumberText number;
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t' || text.at(i) == u'\n' ||
                               text.at(i) == u'\r' || text.at(i) == u'\v' || text.at(i) == u'\f'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        number.negative = text.at(i++) == u'-';
    auto isAsciiDigit = [&](qsizetype at) {
        return at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9';
    };
    for (; isAsciiDigit(i); ++i)
        number.digits.append(text.at(i));
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        for (; isAsciiDigit(i); ++i) {
            number.digits.append(text.at(i));
            --number.exponent;
        }
    }
    if (number.digits.isEmpty())
        return std::nullopt;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text.at(j) == u'-' || text.at(j) == u'+'))
            negativeExponent = text.at(j++) == u'-';
        if (isAsciiDigit(j)) {
            qint64 exponent = 0;
            for (; isAsciiDigit(j); ++j) {
                if (exponent < 100000000)
                    exponent = exponent * 10 + (text.at(j).unicode() - u'0');
            }
            number.exponent += negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    number.prefix = text.mid(start, i - start);
    return number;
}

// Whether dropping the given digits rounds the kept part up: halves go to the even neighbour.
bool roundsUp(const QString &dropped, bool keptIsOdd)
{
    if (dropped.isEmpty() || dropped.at(0) < u'5')
        return false;
    if (dropped.at(0) > u'5')
        return true;
    for (qsizetype i = 1; i < dropped.size(); ++i) {
        if (dropped.at(i) != u'0')
            return true;
    }
    return keptIsOdd;
}

} // namespace

QDate stringToDate(const QString &text)
{
    if (text.isEmpty())
        return {};
    const QStringList texts = datePieces(text);
    if (texts.size() < 2)
        return {};
    const FieldOrder order = shortDateFieldOrder();
    const std::optional<DayMonthYear> read =
        texts.size() >= 3 ? readThreePieces(pieceOf(texts.at(0)), pieceOf(texts.at(1)),
                                            pieceOf(texts.at(2)), order)
                          : readTwoPieces(pieceOf(texts.at(0)), pieceOf(texts.at(1)), order);
    if (!read || read->month == 0)
        return {};
    const QDate date(widenedYear(read->year), read->month, read->day.value);
    return date.isValid() ? date : QDate();
}

QString Decimal::toString() const
{
    const quint64 magnitude =
        hundredths < 0 ? quint64(0) - quint64(hundredths) : quint64(hundredths);
    return QStringLiteral("%1%2.%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

std::optional<Decimal> stringToDecimal(const QString &text)
{
    std::optional<NumberText> number = leadingNumber(text);
    if (!number)
        return std::nullopt;
    QString digits = number->digits;
    // value x 100 = digits x 10^shift
    const qint64 shift = number->exponent + 2;
    QString kept;
    QString dropped;
    if (shift >= 0) {
        if (shift > 40) {
            kept = digits.count(u'0') == digits.size() ? QStringLiteral("0") : QString(41, u'9');
        } else {
            kept = digits + QString(shift, u'0');
        }
    } else if (-shift > digits.size()) {
        // Every digit lies below the first dropped place, which is a zero: nothing rounds up.
    } else if (-shift == digits.size()) {
        dropped = digits;
    } else {
        kept = digits.left(digits.size() + shift);
        dropped = digits.mid(digits.size() + shift);
    }
    while (kept.size() > 1 && kept.at(0) == u'0')
        kept.remove(0, 1);
    constexpr qint64 largest = std::numeric_limits<qint64>::max() - 1;
    qint64 hundredths = 0;
    for (QChar digit : std::as_const(kept)) {
        if (hundredths > (largest - digit.digitValue()) / 10) {
            tlog::message(QStringLiteral("NSString"), QStringLiteral("stringToDecimal"),
                          QStringLiteral("number too large: %1").arg(text));
            return std::nullopt;
        }
        hundredths = hundredths * 10 + digit.digitValue();
    }
    if (roundsUp(dropped, hundredths % 2 != 0))
        ++hundredths;
    return Decimal{number->negative ? -hundredths : hundredths};
}

double stringToDouble(const QString &text)
{
    const std::optional<NumberText> number = leadingNumber(text);
    if (!number)
        return 0.0;
    const QByteArray prefix = number->prefix.toLatin1();
    const char *begin = prefix.constData();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, prefix.constData() + prefix.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        if (number->exponent > 0)
            return number->negative ? -HUGE_VAL : HUGE_VAL;
        return number->negative ? -0.0 : 0.0;
    }
    return value;
}

QString removeBracket(const QString &text, QChar opening)
{
    if (text.size() < 2)
        return text;
    QChar closing = opening;
    switch (opening.unicode()) {
    case '<':
        closing = u'>';
        break;
    case '(':
        closing = u')';
        break;
    case '{':
        closing = u'}';
        break;
    case '[':
        closing = u']';
        break;
    default:
        break;
    }
    if (text.front() == opening && text.back() == closing)
        return text.mid(1, text.size() - 2);
    return text;
}

QString rot13(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(u'a' + (u - u'a' + 13) % 26);
        else if (u >= u'A' && u <= u'Z')
            c = QChar(u'A' + (u - u'A' + 13) % 26);
    }
    return result;
}

QString unrot13(const QString &text)
{
    // Thirteen places on, twice, is the whole alphabet: the rotation is its own inverse.
    return rot13(text);
}

QString capitalizedString(const QString &text)
{
    QString result = text;
    bool wordStart = true;
    for (QChar &c : result) {
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return result;
}

} // namespace zeltor
