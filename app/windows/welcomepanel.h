#pragma once

#include <QWidget>

class QLabel;

// The small frameless panel that shows the start-up's progress. Start-up runs before the event
// loop turns, so each new text is painted at once.
class WelcomePanel : public QWidget
{
    Q_OBJECT

public:
    explicit WelcomePanel(QWidget *parent = nullptr);

    QString launchStatus() const;
    void setLaunchStatus(const QString &text, bool redraw);

private:
    QLabel *m_launchStatus;
};
