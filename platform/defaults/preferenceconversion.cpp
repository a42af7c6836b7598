#include "platform/defaults/preferenceconversion.h"

#include <QDateTime>

#include <climits>
#include <cmath>

namespace preferenceconversion {
namespace {

qsizetype skipSpaces(const QString &text, qsizetype at)
{
    while (at < text.size() && text.at(at).isSpace())
        ++at;
    return at;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

qlonglong leadingInteger(const QString &text)
{
    qsizetype at = skipSpaces(text, 0);
    bool negative = false;
    if (at < text.size() && (text.at(at) == u'-' || text.at(at) == u'+'))
        negative = text.at(at++) == u'-';
    qlonglong result = 0;
    for (; at < text.size() && isAsciiDigit(text.at(at)); ++at) {
        const int digit = text.at(at).unicode() - '0';
        if (result > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        result = result * 10 + digit;
    }
    return negative ? -result : result;
}

double leadingDouble(const QString &text)
{
    const qsizetype start = skipSpaces(text, 0);
    qsizetype end = start;
    if (end < text.size() && (text.at(end) == u'-' || text.at(end) == u'+'))
        ++end;
    bool digits = false;
    while (end < text.size() && isAsciiDigit(text.at(end))) {
        ++end;
        digits = true;
    }
    if (end < text.size() && text.at(end) == u'.') {
        ++end;
        while (end < text.size() && isAsciiDigit(text.at(end))) {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (end < text.size() && (text.at(end) == u'e' || text.at(end) == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text.at(exponent) == u'-' || text.at(exponent) == u'+'))
            ++exponent;
        if (exponent < text.size() && isAsciiDigit(text.at(exponent))) {
            end = exponent;
            while (end < text.size() && isAsciiDigit(text.at(end)))
                ++end;
        }
    }
    bool ok = false;
    const double result = text.mid(start, end - start).toDouble(&ok);
    return ok ? result : 0.0;
}

bool leadingFlag(const QString &text)
{
    qsizetype at = skipSpaces(text, 0);
    if (at < text.size() && (text.at(at) == u'-' || text.at(at) == u'+'))
        ++at;
    while (at < text.size() && text.at(at) == u'0')
        ++at;
    if (at >= text.size())
        return false;
    const QChar c = text.at(at);
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

qlonglong toLongLong(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::isnan(number))
            return 0;
        if (number >= double(LLONG_MAX))
            return LLONG_MAX;
        if (number <= double(LLONG_MIN))
            return LLONG_MIN;
        return qlonglong(number);
    }
    if (isNumber(value))
        return value.toLongLong();
    if (value.typeId() == QMetaType::QString)
        return leadingInteger(value.toString());
    return 0;
}

int toInt(const QVariant &value)
{
    return int(std::clamp<qlonglong>(toLongLong(value), INT_MIN, INT_MAX));
}

double toDouble(const QVariant &value)
{
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString)
        return leadingDouble(value.toString());
    return 0.0;
}

bool toBool(const QVariant &value)
{
    if (isNumber(value))
        return value.toDouble() != 0.0;
    if (value.typeId() == QMetaType::QString)
        return leadingFlag(value.toString());
    return false;
}

QString toString(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (isNumber(value))
        return value.toString();
    return {};
}

} // namespace preferenceconversion
