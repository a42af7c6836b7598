#pragma once

#include "platform/addressbook/addressbook.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A fresh database file per test, and books on it that stand for separate programs.
class AddressBookFixture : public ::testing::Test
{
protected:
    QString databasePath() const { return m_dir.filePath(QStringLiteral("AddressBook.sqlite")); }

    std::unique_ptr<AddressBook> openBook(qint64 processId = 100,
                                          const QString &name = QStringLiteral("Tolvane"))
    {
        auto book = std::make_unique<AddressBook>(databasePath(), processId, name);
        EXPECT_TRUE(book->isOpen());
        return book;
    }

    // Runs the event loop until the condition holds or the time passes.
    static bool waitFor(const std::function<bool()> &condition, int milliseconds = 5000)
    {
        QDeadlineTimer deadline(milliseconds);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        }
        return true;
    }

    // Overwrites the database page that holds the bytes with 0xFF, as a damaged disk would; the
    // book must be closed. False when the bytes are not in the file.
    static bool damagePageHolding(const QString &path, const QByteArray &bytes)
    {
        constexpr qint64 kPageSize = 4096;
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        const qsizetype at = file.readAll().indexOf(bytes);
        if (at < 0)
            return false;
        file.seek(at / kPageSize * kPageSize);
        return file.write(QByteArray(kPageSize, '\xff')) == kPageSize;
    }

    QTemporaryDir m_dir;
};
