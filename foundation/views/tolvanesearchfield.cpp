#include "foundation/views/tolvanesearchfield.h"

TolvaneSearchField::TolvaneSearchField(QWidget *parent)
    : QLineEdit(parent)
{
    setClearButtonEnabled(true);
}

std::unique_ptr<QLineEdit> TolvaneSearchField::copy() const
{
    return standardSearchField();
}

std::unique_ptr<QLineEdit> TolvaneSearchField::standardSearchField()
{
    auto field = std::make_unique<QLineEdit>();
    field->setClearButtonEnabled(true);
    return field;
}
