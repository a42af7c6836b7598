#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What a file choice asks: one existing file to open, or a file to save under a name the user
// may change. The prompt is the window's title and the accepting button's text.
struct FileChoice
{
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    QString prompt;
    // Name filters as Qt writes them ("Google Archive (*.zip)"); none shows every file.
    QStringList nameFilters;
    QString directory;
    // The name a save choice suggests.
    QString fileName;

    bool operator==(const FileChoice &) const = default;
};

// Every file the user is asked for goes through the current file chooser: the programs show a
// window-modal file dialog, tests answer from a script.
class FileChooser
{
public:
    virtual ~FileChooser();

    // Shows the choice on the window and returns at once; the completion gets the absolute path
    // chosen, or an empty text when the user cancelled, later on the event loop.
    virtual void choose(const FileChoice &choice, QWidget *window,
                        std::function<void(const QString &)> completion) = 0;

    // The installed chooser, else the Qt file dialog.
    static FileChooser &current();
    // Not owned; nullptr puts the Qt file dialog back. Returns the one installed before.
    static FileChooser *install(FileChooser *chooser);
};
