#include "reader/DeviceSelectorList.h"

DeviceSelectorList::DeviceSelectorList(QObject* parent)
    : QObject(parent) {}

bool DeviceSelectorList::deviceDiscovered(const QString& name) {
    if (devices_.contains(name))
        return false;
    devices_.append(name);
    emit deviceInserted(int(devices_.size()) - 1);
    return true;
}
