#include "payment/flow/saleSplitController.h"

#include <QLayout>

saleSplitController::saleSplitController(QObject* parent)
    : SplitViewController(parent) {
    setPrimaryColumnWidth(kFirstColumnWidth);
}

void saleSplitController::viewDidLayoutSubviews() {
    // A split holding one column has nothing to share out.
    const QList<ViewController*> children = childViewControllers();
    if (children.size() < 2 || !children.at(0)->isViewLoaded() || !children.at(1)->isViewLoaded())
        return;
    QWidget* first = children.at(0)->view();
    QWidget* second = children.at(1)->view();
    if (second->x() <= 0 || second->isHidden())
        return;
    if (first->width() == kFirstColumnWidth && first->minimumWidth() == kFirstColumnWidth)
        return;
    setPrimaryColumnWidth(kFirstColumnWidth);
    first->setFixedWidth(kFirstColumnWidth);
    if (QLayout* row = view()->layout())
        row->activate();
}
