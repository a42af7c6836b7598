#pragma once

#include <QThread>

// A preference file changed in the last two seconds is read again at every read, on purpose: its
// stamp can't yet show a later change. Users set their preferences long before they paste a card
// or export a book, so the benchmarks measure once that window is over.
inline void waitForPreferencesToSettle()
{
    QThread::msleep(2100);
}
