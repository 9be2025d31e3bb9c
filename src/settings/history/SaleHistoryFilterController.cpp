#include "settings/history/SaleHistoryFilterController.h"

#include "platform/ui/NavigationItem.h"
#include "platform/ui/View.h"
#include "settings/history/SaleHistoryDateCell.h"
#include "settings/history/WallClock.h"
#include "ui_kit/GenericListTableViewCell.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QLabel>
#include <QTimeZone>
#include <QVBoxLayout>

namespace {

const QString kIndex = QStringLiteral("index");
const QString kName = QStringLiteral("name");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
constexpr int kPeriodCount = 4;
constexpr int kFromRow = 4;
constexpr int kToRow = 5;

QString searchText(const char* key) {
    return Language::textForFile(QStringLiteral("SearchSales"), QString::fromLatin1(key));
}

bool hasDates(const QVariantMap& entry) {
    return entry.value(kFrom).toDateTime().isValid() && entry.value(kTo).toDateTime().isValid();
}

// The index of an entry handed in: one the screen cannot show counts as today.
int usableIndex(const QVariantMap& filter) {
    bool ok = false;
    const int index = filter.value(kIndex).toInt(&ok);
    if (!ok || index < 0 || index > SaleHistoryFilterController::kCustomRow)
        return 0;
    if (index == SaleHistoryFilterController::kCustomRow && !hasDates(filter))
        return 0;
    return index;
}

} // namespace

SaleHistoryFilterController::SaleHistoryFilterController(QObject* parent)
    : ViewController(parent) {}

QVariantList SaleHistoryFilterController::filters() {
    const QDateTime now = WallClock::currentMoment();
    const QTimeZone zone = now.timeZone();
    // The calendar's own start of day: on a day the clocks go forward at midnight it is 01:00.
    const QDateTime today = now.date().startOfDay(zone);
    const QDateTime sevenDaysBack = now.date().addDays(-7).startOfDay(zone);
    const QDateTime thirtyDaysBack = now.date().addDays(-30).startOfDay(zone);
    const QString days = searchText("filterDays");
    return {
        QVariantMap{{kIndex, 0}, {kName, searchText("filterToday")}, {kFrom, today}, {kTo, today}},
        QVariantMap{{kIndex, 1},
                    {kName, TextFormatter::format(days, {7})},
                    {kFrom, sevenDaysBack},
                    {kTo, today}},
        QVariantMap{{kIndex, 2},
                    {kName, TextFormatter::format(days, {30})},
                    {kFrom, thirtyDaysBack},
                    {kTo, today}},
        QVariantMap{{kIndex, kCustomRow}, {kName, searchText("filterCustom")}},
    };
}

QWidget* SaleHistoryFilterController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, QColor(239, 239, 244));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    tableView_ = new TableView(root);
    tableView_->setObjectName(QStringLiteral("tableView"));
    column->addWidget(tableView_);
    return root;
}

void SaleHistoryFilterController::viewDidLoad() {
    ViewController::viewDidLoad();
    tableView_->registerCell(QString::fromLatin1(GenericListTableViewCell::kReuseIdentifier),
                             [] { return new GenericListTableViewCell(); });
    tableView_->registerCell(QString::fromLatin1(SaleHistoryDateCell::kReuseIdentifier),
                             [] { return new SaleHistoryDateCell(); });
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setTitle(searchText("filterTitle"));
    navigationItem()->setTitle(title());
    BarButtonItem cancel;
    cancel.title = Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("cancel"));
    cancel.objectName = QStringLiteral("backButton");
    cancel.action = [this] { back(); };
    navigationItem()->setLeftBarButtonItem(cancel);
    BarButtonItem filter;
    filter.title = searchText("filterAction");
    filter.objectName = QStringLiteral("doneButton");
    filter.action = [this] { done(); };
    navigationItem()->setRightBarButtonItem(filter);
}

void SaleHistoryFilterController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    options_ = filters();
    const int index = usableIndex(selectedFilter_);
    const QVariantMap source = index == kCustomRow ? selectedFilter_ : options_.at(index).toMap();
    from_ = source.value(kFrom).toDateTime();
    to_ = source.value(kTo).toDateTime();
    selectedRow_ = index;
    tableView_->reloadData();
    showSelection();
    willSelectRow(index);
}

std::optional<int> SaleHistoryFilterController::selectedRow() const {
    return selectedRow_ >= 0 ? std::optional<int>(selectedRow_) : std::nullopt;
}

int SaleHistoryFilterController::tableViewNumberOfRowsInSection(TableView* table, int section) {
    Q_UNUSED(table);
    Q_UNUSED(section);
    return kPeriodCount + (selectedRow_ == kCustomRow ? 2 : 0);
}

QWidget* SaleHistoryFilterController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                     IndexPath indexPath) {
    if (indexPath.row < kPeriodCount) {
        auto* cell =
            static_cast<GenericListTableViewCell*>(table->dequeueReusableCellWithIdentifier(
                QString::fromLatin1(GenericListTableViewCell::kReuseIdentifier)));
        cell->label()->setText(options_.value(indexPath.row).toMap().value(kName).toString());
        return cell;
    }
    auto* cell = static_cast<SaleHistoryDateCell*>(table->dequeueReusableCellWithIdentifier(
        QString::fromLatin1(SaleHistoryDateCell::kReuseIdentifier)));
    cell->setOpened(false);
    cell->setDelegate(this);
    cell->setMaximumDate(WallClock::currentMoment());
    const bool isFrom = indexPath.row == kFromRow;
    cell->setObjectName(isFrom ? QStringLiteral("fromCell") : QStringLiteral("toCell"));
    cell->titleLabel()->setText(searchText(isFrom ? "filterFrom" : "filterTo"));
    cell->setIsFrom(isFrom);
    cell->setDate(isFrom ? from_ : to_);
    return cell;
}

int SaleHistoryFilterController::tableViewHeightForRowAtIndexPath(TableView* table,
                                                                  IndexPath indexPath) {
    Q_UNUSED(table);
    // Date cells are made closed; a tap resizes them.
    return indexPath.row < kPeriodCount ? kListRowHeight : SaleHistoryDateCell::kClosedHeight;
}

void SaleHistoryFilterController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                   IndexPath indexPath) {
    Q_UNUSED(table);
    const std::optional<int> target = willSelectRow(indexPath.row);
    if (!target || *target == selectedRow_) {
        // The tap selects nothing: the selection stays where it was.
        showSelection();
        return;
    }
    selectRow(*target);
}

std::optional<int> SaleHistoryFilterController::willSelectRow(int row) {
    if (row < kPeriodCount) {
        const QVariantMap entry = options_.value(row).toMap();
        if (hasDates(entry)) {
            from_ = entry.value(kFrom).toDateTime();
            to_ = entry.value(kTo).toDateTime();
        }
        return row == selectedRow_ ? std::nullopt : std::optional<int>(row);
    }
    SaleHistoryDateCell* tapped = row == kFromRow ? fromCell() : toCell();
    SaleHistoryDateCell* other = row == kFromRow ? toCell() : fromCell();
    if (tapped)
        toggleDateCell(tapped, other);
    return selectedRow_ == kCustomRow ? std::nullopt : std::optional<int>(kCustomRow);
}

void SaleHistoryFilterController::toggleDateCell(SaleHistoryDateCell* tapped,
                                                 SaleHistoryDateCell* other) {
    tapped->toogleOpenClose();
    if (other)
        other->close();
    for (SaleHistoryDateCell* cell : {tapped, other})
        if (cell)
            cell->setFixedHeight(cell->opened() ? SaleHistoryDateCell::kOpenedHeight
                                                : SaleHistoryDateCell::kClosedHeight);
    tableView_->widget()->adjustSize();
    tableView_->ensureWidgetVisible(tapped, 0, 0);
}

void SaleHistoryFilterController::selectRow(int row) {
    const bool rowsChange = (selectedRow_ == kCustomRow) != (row == kCustomRow);
    selectedRow_ = row;
    // Selecting the custom row adds the two date rows; leaving it takes them away.
    if (rowsChange)
        tableView_->reloadData();
    showSelection();
}

void SaleHistoryFilterController::showSelection() {
    tableView_->selectRowAtIndexPath(
        selectedRow_ >= 0 ? std::optional<IndexPath>(IndexPath{0, selectedRow_}) : std::nullopt);
}

SaleHistoryDateCell* SaleHistoryFilterController::fromCell() const {
    return qobject_cast<SaleHistoryDateCell*>(tableView_->cellForRowAtIndexPath({0, kFromRow}));
}

SaleHistoryDateCell* SaleHistoryFilterController::toCell() const {
    return qobject_cast<SaleHistoryDateCell*>(tableView_->cellForRowAtIndexPath({0, kToRow}));
}

void SaleHistoryFilterController::changedFromDate(const QDateTime& date) {
    from_ = date;
    if (to_ < from_) {
        to_ = from_;
        if (SaleHistoryDateCell* cell = toCell())
            cell->setDate(to_);
    }
}

void SaleHistoryFilterController::changedToDate(const QDateTime& date) {
    to_ = date;
    if (to_ < from_) {
        from_ = to_;
        if (SaleHistoryDateCell* cell = fromCell())
            cell->setDate(from_);
    }
}

void SaleHistoryFilterController::back() {
    dismissViewControllerAnimated(true);
}

void SaleHistoryFilterController::done() {
    QVariantMap entry = options_.value(selectedRow_ >= 0 ? selectedRow_ : 0).toMap();
    if (!entry.contains(kFrom)) {
        const bool showYear = from_.date().year() != WallClock::currentMoment().date().year();
        entry.insert(kName,
                     TextFormatter::format(QStringLiteral("%@ - %@"),
                                           {Language::verboseDateShowYear(from_.date(), showYear),
                                            Language::verboseDateShowYear(to_.date(), showYear)}));
        entry.insert(kFrom, from_);
        entry.insert(kTo, to_);
    }
    if (delegate_)
        delegate_->changeFilter(entry);
    dismissViewControllerAnimated(true);
}
