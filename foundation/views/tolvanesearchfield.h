#pragma once

#include <QLineEdit>

#include <memory>

// The browser's search field. A copy of it is a fresh standard search field, not a copy of this
// one's text or settings.
class TolvaneSearchField : public QLineEdit
{
    Q_OBJECT

public:
    explicit TolvaneSearchField(QWidget *parent = nullptr);

    std::unique_ptr<QLineEdit> copy() const;

    // A search field as the toolkit makes one: a line edit with a button that clears it.
    static std::unique_ptr<QLineEdit> standardSearchField();
};
