#include "settings/history/BatchCollectionViewCell.h"

BatchCollectionViewCell::BatchCollectionViewCell(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("BatchCollectionViewCell"));
    awakeFromNib();
}

void BatchCollectionViewCell::awakeFromNib() {}
