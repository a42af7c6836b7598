#pragma once

#include <QString>
#include <QVariant>

// The one logging convention of every program. The level is the preference "appLogLevel", followed
// at every statement (a change by another program within 50 ms): above 0 diagnostic lines are
// written, exactly 2 adds trace lines.
// Lines go to the standard error stream, which each program reopens on its own log file.
namespace tlog {

int level();
bool diagnostics(); // level > 0
bool tracing();     // level == 2

// Written whatever the level: the platform's log call, with date, program and process prefix.
void write(const QString &text);

// Trace lines, at level 2 only.
void trace(const QString &cls, const QString &op);                           // "*[%@ %@]"
void verbose(const QString &cls, const QString &op, const QString &message); // "(v) [%@ %@] - %@"

// Diagnostic lines, at levels above 0.
void bare(const QString &text); // "%@": the text alone, without class and operation
void message(const QString &cls, const QString &op, const QString &message); // "[%@ %@] - %@"
void value(const QString &cls, const QString &op, const QString &name, const QString &value);
void value(const QString &cls, const QString &op, const QString &name, int value);     // "%i"
void number(const QString &cls, const QString &op, const QString &name, double value); // "%f"
void labelled(const QString &cls, const QString &op, const QString &label, const QString &object);
void labelled(const QString &cls, const QString &op, const QString &label, int number);
void labelledNumber(const QString &cls, const QString &op, const QString &label, double number);
void size(const QString &cls, const QString &op, const QString &name, const QString &field1,
          double value1, const QString &field2, double value2);
void rect(const QString &cls, const QString &op, const QString &name, double ox, double oy,
          double width, double height);

// Reports that are written at every level.
void caughtInTemplate(const QString &cls, const QString &op, const QString &templateName,
                      const QString &exception, const QString &reason);

// The text of an object in a line: "(null)" for a missing one, as the old platform wrote it.
QString orNull(const QString &text);
// Dictionaries as "{\n    key = value;\n}", arrays as "(\n    item,\n    item\n)", nested
// ones indented; a missing value is "(null)".
QString describe(const QVariant &value);

// The log file of a program, named for its bundle identifier, under $XDG_STATE_HOME/Tolvane.
QString logFilePath(const QString &bundleIdentifier);

// Reopens the standard error stream in write mode on the given file, so the file starts empty at
// every launch, and sends Qt's own warnings through the same prefix.
bool openLogFile(const QString &path, const QString &programName);

// The text of the "%f" conversion ("1.500000"), for lines that build their own format.
QString formatDouble(double value, int decimals = 6);

} // namespace tlog
