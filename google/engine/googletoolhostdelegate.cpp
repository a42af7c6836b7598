#include "google/engine/googletoolhostdelegate.h"

std::optional<QString> GoogleToolHostDelegate::pendingFolderPath()
{
    return std::nullopt;
}

std::optional<QString> GoogleToolHostDelegate::pendingArchiveFolderPath()
{
    return std::nullopt;
}

std::optional<QString> GoogleToolHostDelegate::restartFolderPath()
{
    return std::nullopt;
}

std::optional<QString> GoogleToolHostDelegate::googleBackupFolderPath()
{
    return std::nullopt;
}

std::optional<QString> GoogleToolHostDelegate::tmpFolderPath()
{
    return std::nullopt;
}
