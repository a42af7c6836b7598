#pragma once

#include <QString>

// The environment report at the head of every log: the framework, locale, system, machine and
// program, and whom the log belongs to. Written whatever the log level; the machine facts also go
// into the preferences (the "mac" keys), which the quit removes again.
namespace environmentreport {

void write(const QString &bundleName);

} // namespace environmentreport
