#pragma once

#include <QString>

// What the store and the address book layer ask of the program's application delegate. Both
// operations are optional: before each call the caller asks whether the delegate offers it, and a
// missing delegate or operation is skipped without error.
class ApplicationDelegate
{
public:
    virtual ~ApplicationDelegate();

    // A phone number as the user's formats write it. Never fails.
    virtual bool offersFormatAsPhoneNumber() const;
    virtual QString formatAsPhoneNumber(const QString &phoneNumber);

    // Lets the store process its pending changes and saves it; reports nothing to the caller.
    virtual bool offersUpdateCoreData() const;
    virtual void updateCoreData();

    // The program's delegate, set once at start and cleared before it goes away (not owned).
    static ApplicationDelegate *shared();
    static void setShared(ApplicationDelegate *delegate);

    // For callers: the number through the delegate when it offers the operation, else unchanged.
    static QString formatAsPhoneNumberIfOffered(const QString &phoneNumber);
    static void updateCoreDataIfOffered();

    // Each program seeds the pseudo-random generator once at start with the current time in
    // seconds; the address book save draws from it.
    static void seedPseudoRandomGenerator();
};
