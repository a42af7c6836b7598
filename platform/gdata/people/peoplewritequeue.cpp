#include "platform/gdata/people/peoplewritequeue.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimer>

#include <deque>

namespace peoplewritequeue {

namespace {

struct Waiting
{
    quint64 turn;
    std::function<void()> go;
};

struct AccountQueue
{
    // The turn in flight, 0 when none.
    quint64 running = 0;
    std::deque<Waiting> waiting;
};

QHash<QString, AccountQueue> &queues()
{
    static QHash<QString, AccountQueue> all;
    return all;
}

quint64 nextTurn()
{
    static quint64 turn = 0;
    return ++turn;
}

void startNext(const QString &account)
{
    AccountQueue &queue = queues()[account];
    if (queue.running != 0 || queue.waiting.empty())
        return;
    Waiting next = std::move(queue.waiting.front());
    queue.waiting.pop_front();
    queue.running = next.turn;
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(next.go));
}

} // namespace

quint64 enqueue(const QString &account, std::function<void()> go)
{
    const quint64 turn = nextTurn();
    queues()[account].waiting.push_back({turn, std::move(go)});
    startNext(account);
    return turn;
}

void release(const QString &account, quint64 turn)
{
    auto found = queues().find(account);
    if (found == queues().end())
        return;
    AccountQueue &queue = *found;
    if (queue.running == turn) {
        queue.running = 0;
    } else {
        const auto waiting = std::find_if(queue.waiting.begin(), queue.waiting.end(),
                                          [turn](const Waiting &w) { return w.turn == turn; });
        if (waiting != queue.waiting.end())
            queue.waiting.erase(waiting);
    }
    startNext(account);
}

} // namespace peoplewritequeue
