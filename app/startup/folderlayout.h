#pragma once

#include <QString>

// The program's folder L under the user's data folder and the folders and files it holds, every
// path made from HOME and the XDG variables, so a test with a temporary HOME touches nothing of
// the user's.
struct FolderLayout
{
    QString libraryFolderPath; // L = <data folder>/Tolvane
    QString logFilePath;
    QString crashLogFilePath; // a path only; nothing creates the file
    QString dataFolderPath;
    QString scriptsFolderPath;
    QString tmpFolderPath;
    QString googleBackupFolderPath;
    QString pendingFolderPath;
    QString pendingArchiveFolderPath;
    QString restartFolderPath;

    // The layout of the current HOME; every path empty when no data folder can be resolved.
    static FolderLayout current();
    // The user's data folder: $XDG_DATA_HOME when it is an absolute path, else
    // $HOME/.local/share; empty when neither can be resolved.
    static QString dataHome();
};
