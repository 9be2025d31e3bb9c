#include "settings/history/HistoryCollectionViewCell.h"

HistoryCollectionViewCell::HistoryCollectionViewCell(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("HistoryCollectionViewCell"));
    awakeFromNib();
}

void HistoryCollectionViewCell::awakeFromNib() {}
