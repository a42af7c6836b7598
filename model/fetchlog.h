#pragma once

#include "platform/store/storeerror.h"

#include <QString>

// The log lines of failed store fetches, written whatever the log level.
namespace fetchlog {

// A template that is missing or lacks a variable stands for the framework's refusal to run it;
// any other failure is the fetch's own error.
bool isTemplateFault(const StoreError &error);

// "[%@ %@] (Template:%@) Caught %@: %@" for a template fault, else "%@ - Caught %i: %@  info = %@".
void logFailure(const QString &cls, const QString &op, const QString &templateName,
                const StoreError &error);

} // namespace fetchlog
