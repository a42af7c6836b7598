// Controls bound to preference keys: each shows its key's value, writes the key when the user
// changes it, and follows the key when anything else writes it (the delegate's rules, another
// process).
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSpinBox;
class UserDefaults;

class PrefBinder : public QObject
{
    Q_OBJECT

public:
    explicit PrefBinder(UserDefaults &defaults, QObject *parent = nullptr);

    // A check box or switch: the key's boolean.
    void bindChecked(QAbstractButton *button, const QString &key);
    // The key's integer as the index of the pop-up's choice.
    void bindIndex(QComboBox *popUp, const QString &key);
    // The key's integer as the chosen item's data (the choices' values are not their rows).
    void bindItemData(QComboBox *popUp, const QString &key);
    void bindValue(QSpinBox *box, const QString &key);
    // The key's text, written when editing ends.
    void bindText(QLineEdit *field, const QString &key);
    // The pop-up's chosen text.
    void bindCurrentText(QComboBox *popUp, const QString &key);

    // Every bound control shows its key's value again.
    void reload();
    // Runs after the user's change of a control has been written to its key.
    void setChangeHandler(const QString &key, std::function<void()> handler);

private:
    struct Binding
    {
        QPointer<QObject> control;
        std::function<void()> show;
    };
    void add(QObject *control, const QString &key, std::function<void()> show);
    void written(const QString &key);
    void showKey(const QString &key);

    UserDefaults &m_defaults;
    QHash<QString, QList<Binding>> m_bindings;
    QHash<QString, std::function<void()>> m_handlers;
};
