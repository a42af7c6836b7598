#pragma once

#include "google/engine/selectortarget.h"

#include <QString>

#include <optional>

// What the engine asks of the program's application delegate: the last receiver of a post
// selector, and the folders the program lays out under its data folder. A folder the program does
// not offer is std::nullopt; the engine then reads the preference of the same name.
class GoogleToolHostDelegate : public SelectorTarget
{
public:
    virtual std::optional<QString> pendingFolderPath();
    virtual std::optional<QString> pendingArchiveFolderPath();
    virtual std::optional<QString> restartFolderPath();
    virtual std::optional<QString> googleBackupFolderPath();
    virtual std::optional<QString> tmpFolderPath();
};
