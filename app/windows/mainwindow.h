#pragma once

#include <QMainWindow>

class QLabel;

// The main program's own window: its status line. It is what the program shows after login while
// neither the data loader nor the browser is built into the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    QString statusText() const;
    void setStatusText(const QString &text);

private:
    QLabel *m_statusTextField;
};
