#include "platform/scripting/desktopentryvalues.h"

#include <algorithm>

namespace desktopentryvalues {

namespace {

// Characters that make an argument need its double quotes.
constexpr QStringView kReserved = u" \t\n\"'\\><~|&;$*?#`()";
// Characters escaped by a backslash inside the double quotes.
constexpr QStringView kQuotedEscapes = u"\"`$\\";

QString quotedArgument(const QString &argument)
{
    const bool needsQuotes =
        argument.isEmpty() || std::any_of(argument.cbegin(), argument.cend(),
                                          [](QChar c) { return kReserved.contains(c); });
    if (!needsQuotes)
        return argument;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (kQuotedEscapes.contains(c))
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

// The escapes of string values: the letter after the backslash and the character it stands for.
struct StringEscape
{
    char16_t written;
    char16_t value;
};
constexpr StringEscape kStringEscapes[] = {
    {u's', u' '}, {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u'\\', u'\\'},
};

const StringEscape *escapeOfValue(QChar c)
{
    for (const StringEscape &escape : kStringEscapes)
        if (c == QChar(escape.value))
            return &escape;
    return nullptr;
}

const StringEscape *escapeOfWritten(QChar c)
{
    for (const StringEscape &escape : kStringEscapes)
        if (c == QChar(escape.written))
            return &escape;
    return nullptr;
}

} // namespace

QString escapeString(const QString &value)
{
    QString written;
    written.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const StringEscape *escape = escapeOfValue(c);
        // A space is escaped only where a reader would trim it: at the start.
        if (escape && (c != u' ' || i == 0)) {
            written += u'\\';
            written += QChar(escape->written);
        } else {
            written += c;
        }
    }
    return written;
}

QString unescapeString(const QString &written)
{
    QString value;
    value.reserve(written.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written.at(i);
        if (c != u'\\' || i + 1 == written.size()) {
            value += c;
            continue;
        }
        const QChar next = written.at(++i);
        if (const StringEscape *escape = escapeOfWritten(next)) {
            value += QChar(escape->value);
        } else {
            // Not an escape of string values: both characters stay, as the quoting reads them.
            value += c;
            value += next;
        }
    }
    return value;
}

QString execValue(const QStringList &command)
{
    QStringList arguments;
    arguments.reserve(command.size());
    for (const QString &argument : command)
        arguments << quotedArgument(argument).replace(u'%', QStringLiteral("%%"));
    return escapeString(arguments.join(u' '));
}

QStringList execCommand(const QString &written)
{
    const QString text = unescapeString(written);
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == u'\\' && i + 1 < text.size() &&
            kQuotedEscapes.contains(text.at(i + 1))) {
            word += text.at(++i);
        } else if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == u'%' && i + 1 < text.size()) {
            // "%%" is a percent sign; any other field code is the launcher's to fill, not part
            // of the command.
            if (text.at(++i) == u'%') {
                word += u'%';
                inWord = true;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return {};
    if (inWord)
        words << word;
    return words;
}

} // namespace desktopentryvalues
