// The mutating People requests of one account, one at a time across the whole process and in the
// order they asked: Google asks for the writes of one user to go sequentially, and writes sent
// side by side fail or slow down. Reads never wait here.
#pragma once

#include <QString>

#include <functional>

namespace peoplewritequeue {

// go runs, later on the event loop, once every write of the account asked before it has left.
// The returned number names the turn for release().
quint64 enqueue(const QString &account, std::function<void()> go);
// The turn is over (done, or given up before its go ran): the next write of the account may go.
void release(const QString &account, quint64 turn);

} // namespace peoplewritequeue
