#include "loader/review/reviewrowmodels.h"

#include <array>

namespace {

const std::array<QString, NameReviewModel::ColumnCount> kNameHeaders = {
    QStringLiteral("Google Title"), QStringLiteral("First"),  QStringLiteral("Middle"),
    QStringLiteral("Last"),         QStringLiteral("Nick"),   QStringLiteral("Company"),
    QStringLiteral("Is Company"),   QStringLiteral("Changed")};

const std::array<QString, AddressReviewModel::ColumnCount> kAddressHeaders = {
    QStringLiteral("Google Title"), QStringLiteral("Label"),    QStringLiteral("Google Address"),
    QStringLiteral("Street"),       QStringLiteral("Street 2"), QStringLiteral("City"),
    QStringLiteral("State"),        QStringLiteral("Postal"),   QStringLiteral("Country"),
    QStringLiteral("Changed")};

QVariant header(const QString &text, Qt::Orientation orientation, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return text;
}

QString oneLine(QString text)
{
    return text.replace(u'\n', QStringLiteral(" / "));
}

} // namespace

void NameReviewModel::setRows(QList<NameReviewRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void NameReviewModel::setRow(int position, const NameReviewRow &row)
{
    m_rows[position] = row;
    emit dataChanged(index(position, 0), index(position, ColumnCount - 1));
}

int NameReviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int NameReviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant NameReviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const NameReviewRow &row = m_rows.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == IsCompany)
        return row.isCompany ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::CheckStateRole && index.column() == Changed)
        return row.delta ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Title:
        return row.gTitle;
    case First:
        return row.aFirst;
    case Middle:
        return row.aMiddle;
    case Last:
        return row.aLast;
    case Nick:
        return row.aNick;
    case Company:
        return row.aCo;
    default:
        return {};
    }
}

QVariant NameReviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0 || section >= ColumnCount)
        return {};
    return header(kNameHeaders.at(section), orientation, role);
}

void AddressReviewModel::setRows(QList<AddressReviewRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void AddressReviewModel::setRow(int position, const AddressReviewRow &row)
{
    m_rows[position] = row;
    emit dataChanged(index(position, 0), index(position, ColumnCount - 1));
}

int AddressReviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AddressReviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AddressReviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const AddressReviewRow &row = m_rows.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == Changed)
        return row.delta ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Title:
        return row.gTitle;
    case Label:
        return row.thisLabel;
    case GoogleText:
        return oneLine(row.gAddrText);
    case Line1:
        return row.aLine1;
    case Line2:
        return row.aLine2;
    case City:
        return row.aCity;
    case State:
        return row.aState;
    case Postal:
        return row.aPostal;
    case Country:
        return row.aCountry;
    default:
        return {};
    }
}

QVariant AddressReviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0 || section >= ColumnCount)
        return {};
    return header(kAddressHeaders.at(section), orientation, role);
}
