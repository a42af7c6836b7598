#include "platform/ui/dialogprompter.h"

#include <QCoreApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Buttons keep the order they were given in (every one has the same role), and with more than one
// button there is no escape button, so the box closes only through a button, as the old alerts
// did.
QList<QAbstractButton *> fill(QMessageBox &box, const Prompt &prompt)
{
    box.setText(prompt.message);
    if (!prompt.informativeText.isNull())
        box.setInformativeText(prompt.informativeText);
    box.setIcon(prompt.style == Prompt::Style::Critical ? QMessageBox::Critical
                                                        : QMessageBox::Warning);
    QList<QAbstractButton *> buttons;
    for (const QString &title : prompt.buttons)
        buttons.append(box.addButton(title, QMessageBox::ActionRole));
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    return buttons;
}

int response(const QMessageBox &box, const QList<QAbstractButton *> &buttons)
{
    const qsizetype index = buttons.indexOf(box.clickedButton());
    return kAlertFirstButtonReturn + int(qMax<qsizetype>(index, 0));
}

} // namespace

int DialogPrompter::runModal(const Prompt &prompt)
{
    QMessageBox box;
    const QList<QAbstractButton *> buttons = fill(box, prompt);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return response(box, buttons);
}

void DialogPrompter::beginSheet(const Prompt &prompt, QWidget *window,
                                std::function<void(int)> completion)
{
    auto *box = new QMessageBox(window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    const QList<QAbstractButton *> buttons = fill(*box, prompt);
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, completion] {
        const int answer = response(*box, buttons);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [completion, answer] { completion(answer); },
            Qt::QueuedConnection);
    });
    box->open();
}
