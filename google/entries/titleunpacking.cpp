#include "google/entries/titleunpacking.h"

#include "foundation/text/zeltorstring.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

namespace tolvane {

namespace {

// Strips the nickname out of the title; the rest is what remains around it.
QString takeNickname(const QString &title, QString &nick)
{
    const QStringList pieces = title.split(u'"');
    if (pieces.size() != 3)
        return title;
    nick = zeltor::clean(pieces.at(1));
    return pieces.at(0) + u' ' + pieces.at(2);
}

void splitWords(const QStringList &words, SplitTitle &split)
{
    const auto joined = [&](qsizetype from, qsizetype to) {
        return words.mid(from, to - from).join(u' ');
    };
    switch (words.size()) {
    case 0:
        break;
    case 1:
        split.aFirst = words.at(0);
        break;
    case 2:
        split.aFirst = words.at(0);
        split.aLast = words.at(1);
        break;
    case 3:
        if (UserDefaults::standard().boolForKey(googlekeys::abUpdatePresumeDoubleFirst)) {
            split.aFirst = joined(0, 2);
            split.aLast = words.at(2);
        } else {
            split.aFirst = words.at(0);
            split.aLast = joined(1, 3);
        }
        break;
    default:
        split.aFirst = joined(0, 2);
        split.aLast = joined(2, words.size());
        break;
    }
}

} // namespace

SplitTitle unpackGoogleTitle(const QString &title)
{
    SplitTitle split;
    const QString rest = takeNickname(title, split.aNick);
    const QStringList lastFirst = rest.split(u',');
    if (lastFirst.size() == 2) {
        split.aLast = zeltor::clean(lastFirst.at(0));
        split.aFirst = zeltor::clean(lastFirst.at(1));
        return split;
    }
    splitWords(zeltor::clean(rest).split(u' ', Qt::SkipEmptyParts), split);
    return split;
}

} // namespace tolvane
