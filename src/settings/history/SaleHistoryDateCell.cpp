#include "settings/history/SaleHistoryDateCell.h"

#include "platform/ui/View.h"
#include "settings/history/SaleHistoryFilterController.h"
#include "ui_kit/texts/Language.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QTimeZone>
#include <QVBoxLayout>

SaleHistoryDateCell::SaleHistoryDateCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QString::fromLatin1(kReuseIdentifier));
    setSelectionStyle(SelectionStyle::None);
    View::setBackgroundColor(this, Qt::white);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 0, 16, 0);
    column->setSpacing(0);
    auto* header = new QWidget(this);
    header->setFixedHeight(kClosedHeight);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    titleLabel_ = new QLabel(header);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    dateLabel_ = new QLabel(header);
    dateLabel_->setObjectName(QStringLiteral("dateLabel"));
    dateLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(titleLabel_);
    row->addWidget(dateLabel_, 1);
    column->addWidget(header);
    datePicker_ = new QCalendarWidget(this);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    datePicker_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Month and day names in the language of the texts.
    datePicker_->setLocale(QLocale(Language::applicationLanguage()));
    datePicker_->setFixedHeight(kOpenedHeight - kClosedHeight);
    datePicker_->setHidden(true);
    column->addWidget(datePicker_);
    column->addStretch(1);
    connect(datePicker_, &QCalendarWidget::selectionChanged, this, [this] { dateChanged(); });
}

void SaleHistoryDateCell::setOpened(bool opened) {
    opened_ = opened;
    datePicker_->setHidden(!opened_);
}

void SaleHistoryDateCell::setMaximumDate(const QDateTime& maximum) {
    maximum_ = maximum;
    const QSignalBlocker quiet(datePicker_);
    datePicker_->setMaximumDate(maximum.date());
}

void SaleHistoryDateCell::setDate(const QDateTime& date) {
    date_ = date;
    dateLabel_->setText(prettyDate(date));
    const QSignalBlocker quiet(datePicker_);
    datePicker_->setSelectedDate(date.date());
}

void SaleHistoryDateCell::dateChanged() {
    const QDate day = datePicker_->selectedDate();
    QDateTime picked(day, date_.isValid() ? date_.time() : QTime(0, 0), date_.timeZone());
    if (!picked.isValid())
        picked = day.startOfDay(date_.timeZone());
    if (maximum_.isValid() && picked > maximum_)
        picked = maximum_;
    date_ = picked;
    dateLabel_->setText(prettyDate(picked));
    if (!delegate_)
        return;
    if (isFrom_)
        delegate_->changedFromDate(picked);
    else
        delegate_->changedToDate(picked);
}

void SaleHistoryDateCell::toogleOpenClose() {
    setOpened(!opened_);
}

void SaleHistoryDateCell::close() {
    if (opened_)
        toogleOpenClose();
}

QString SaleHistoryDateCell::prettyDate(const QDateTime& date) {
    if (!date.isValid())
        return QString();
    const QLocale c = QLocale::c();
    const int month = c.toString(date, QStringLiteral("MM")).toInt();
    const QStringList months =
        Language::listForFile(QStringLiteral("GlobalTexts"), QStringLiteral("monthsArray"))
            .value_or(QStringList());
    const QString name = month >= 1 && month <= months.size() ? months.at(month - 1) : QString();
    return c.toString(date, QStringLiteral("dd")) + QLatin1Char(' ') + name.toLower() +
           QStringLiteral(", ") + c.toString(date, QStringLiteral("yyyy"));
}
