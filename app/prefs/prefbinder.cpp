#include "app/prefs/prefbinder.h"

#include "platform/defaults/userdefaults.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

PrefBinder::PrefBinder(UserDefaults &defaults, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
{
    connect(&m_defaults, &UserDefaults::valueChanged, this, &PrefBinder::showKey);
}

void PrefBinder::bindChecked(QAbstractButton *button, const QString &key)
{
    button->setCheckable(true);
    add(button, key, [this, button, key] { button->setChecked(m_defaults.boolForKey(key)); });
    connect(button, &QAbstractButton::toggled, this, [this, key](bool on) {
        m_defaults.setBool(on, key);
        written(key);
    });
}

void PrefBinder::bindIndex(QComboBox *popUp, const QString &key)
{
    add(popUp, key, [this, popUp, key] { popUp->setCurrentIndex(m_defaults.integerForKey(key)); });
    connect(popUp, &QComboBox::activated, this, [this, key](int index) {
        m_defaults.setInteger(index, key);
        written(key);
    });
}

void PrefBinder::bindItemData(QComboBox *popUp, const QString &key)
{
    add(popUp, key, [this, popUp, key] {
        popUp->setCurrentIndex(popUp->findData(m_defaults.integerForKey(key)));
    });
    connect(popUp, &QComboBox::activated, this, [this, popUp, key](int index) {
        m_defaults.setInteger(popUp->itemData(index).toInt(), key);
        written(key);
    });
}

void PrefBinder::bindValue(QSpinBox *box, const QString &key)
{
    add(box, key, [this, box, key] { box->setValue(m_defaults.integerForKey(key)); });
    connect(box, &QSpinBox::valueChanged, this, [this, key](int value) {
        m_defaults.setInteger(value, key);
        written(key);
    });
}

void PrefBinder::bindText(QLineEdit *field, const QString &key)
{
    add(field, key, [this, field, key] { field->setText(m_defaults.stringForKey(key)); });
    connect(field, &QLineEdit::editingFinished, this, [this, field, key] {
        if (field->text() == m_defaults.stringForKey(key))
            return;
        m_defaults.setString(field->text(), key);
        written(key);
    });
}

void PrefBinder::bindCurrentText(QComboBox *popUp, const QString &key)
{
    add(popUp, key, [this, popUp, key] {
        popUp->setCurrentIndex(popUp->findText(m_defaults.stringForKey(key)));
    });
    connect(popUp, &QComboBox::textActivated, this, [this, key](const QString &text) {
        m_defaults.setString(text, key);
        written(key);
    });
}

void PrefBinder::reload()
{
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it)
        showKey(it.key());
}

void PrefBinder::setChangeHandler(const QString &key, std::function<void()> handler)
{
    m_handlers.insert(key, std::move(handler));
}

void PrefBinder::add(QObject *control, const QString &key, std::function<void()> show)
{
    m_bindings[key].append({control, show});
    const QSignalBlocker blocker(control);
    show();
}

void PrefBinder::written(const QString &key)
{
    if (const auto handler = m_handlers.constFind(key); handler != m_handlers.cend())
        (*handler)();
}

void PrefBinder::showKey(const QString &key)
{
    const auto found = m_bindings.constFind(key);
    if (found == m_bindings.cend())
        return;
    for (const Binding &binding : *found) {
        if (!binding.control)
            continue;
        // Showing the value is no change of the user's.
        const QSignalBlocker blocker(binding.control.data());
        binding.show();
    }
}
