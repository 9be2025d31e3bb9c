#include "payment/flow/InstallmentsSelectionViewController.h"

#include "model/CreditCard.h"
#include "model/Installment.h"
#include "payment/flow/InstallmentOptionTableViewCell.h"
#include "payment/flow/InstallmentsInputViewController.h"
#include "payment/flow/InstitutionEntry.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int kCustomInstallmentLimit = 36;

QString paymentsName(int count) {
    if (count == 1)
        return Language::textForFile(QStringLiteral("InstallmentsPicker"),
                                     QStringLiteral("onePayment"));
    return TextFormatter::format(
        Language::textForFile(QStringLiteral("InstallmentsPicker"), QStringLiteral("morePayments")),
        {count});
}

// The last digits of a masked number: after the last "*", or, when that is longer than 4,
// after the last "X".
QString maskedNumber(const QString& number) {
    QString tail = number.mid(number.lastIndexOf(u'*') + 1);
    if (tail.size() > 4)
        tail = number.mid(number.lastIndexOf(u'X') + 1);
    return QStringLiteral("****") + tail;
}

} // namespace

InstallmentsSelectionViewController::InstallmentsSelectionViewController(QObject* parent)
    : ViewController(parent) {}

InstallmentsSelectionViewController::~InstallmentsSelectionViewController() = default;

void InstallmentsSelectionViewController::presentOnViewController(
    ViewController* on, const QVariant& dataSource, std::shared_ptr<CreditCard> card, int mode,
    bool allowCustomInstallment, Completion completion) {
    auto* screen = qobject_cast<InstallmentsSelectionViewController*>(Storyboard::instantiate(
        QStringLiteral("Installments"), QStringLiteral("InstallmentsSelectionViewController")));
    if (!screen || !on)
        return;
    screen->setSelection(dataSource, std::move(card), mode, allowCustomInstallment,
                         std::move(completion));
    auto* navigation = new NavigationController(screen);
    navigation->setModalPresentationStyle(ModalPresentationStyle::OverCurrentContext);
    on->presentViewController(navigation, true);
}

void InstallmentsSelectionViewController::setSelection(const QVariant& dataSource,
                                                       std::shared_ptr<CreditCard> card, int mode,
                                                       bool allowCustomInstallment,
                                                       Completion completion) {
    dataSource_ = dataSource;
    card_ = std::move(card);
    mode_ = mode;
    allowCustomInstallment_ = allowCustomInstallment;
    completionBlock_ = std::move(completion);
}

QWidget* InstallmentsSelectionViewController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("InstallmentsSelection"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* header = new QWidget(root);
    header->setObjectName(QStringLiteral("headerView"));
    header->setFixedHeight(64);
    auto* line = new QHBoxLayout(header);
    line->setContentsMargins(16, 8, 16, 8);
    paymentOptionImageView_ = new ImageView(header);
    paymentOptionImageView_->setObjectName(QStringLiteral("paymentOptionImageView"));
    paymentOptionImageView_->setFixedSize(48, 48);
    line->addWidget(paymentOptionImageView_);
    paymentOptionLabel_ = new QLabel(header);
    paymentOptionLabel_->setObjectName(QStringLiteral("paymentOptionLabel"));
    QFont font(QStringLiteral("Helvetica Neue"), 17);
    paymentOptionLabel_->setFont(font);
    line->addWidget(paymentOptionLabel_, 1);
    column->addWidget(header);
    tableView_ = new TableView(root);
    tableView_->setObjectName(QStringLiteral("tableView"));
    column->addWidget(tableView_, 1);
    return root;
}

void InstallmentsSelectionViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    BarButtonItem cancel;
    cancel.title = QStringLiteral("Cancelar");
    cancel.objectName = QStringLiteral("cancelButton");
    cancel.action = [self = QPointer<InstallmentsSelectionViewController>(this)] {
        if (self)
            self->dismissViewController();
    };
    navigationItem()->setLeftBarButtonItem(cancel);
    buildRows();
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setViewStyle();
    tableView_->reloadData();
}

void InstallmentsSelectionViewController::buildRows() {
    QList<std::shared_ptr<Installment>> options;
    if (dataSource_.typeId() == QMetaType::QVariantList) {
        for (const QVariant& entry : dataSource_.toList())
            if (auto option = Installment::instanceBankAccountFromDictionary(entry))
                options << option;
    } else if (dataSource_.typeId() == QMetaType::QVariantMap) {
        const QVariantMap plans = dataSource_.toMap();
        for (const QString& key : InstitutionEntry::sortedPlanKeys(plans)) {
            auto option = Installment::instanceFromDictionary(plans.value(key));
            // A plan given as a text or in another form still is a count to choose.
            if (!option)
                option = std::make_shared<Installment>();
            const int count = InstitutionEntry::countOf(key);
            if (option->name().isEmpty())
                option->setName(
                    count == 1 ? paymentsName(1)
                               : TextFormatter::format(
                                     Language::textForFile(QStringLiteral("InstallmentsPicker"),
                                                           QStringLiteral("morePayments")),
                                     {key}));
            if (option->number() <= 0 && count > 0)
                option->setNumber(count);
            options << option;
        }
    }
    for (const auto& option : options) {
        auto* cell = new InstallmentOptionTableViewCell();
        cell->setInstallment(option);
        rows_ << cell;
    }
    if (allowCustomInstallment_) {
        auto* cell = new InstallmentOptionTableViewCell();
        cell->setInstallment(nullptr);
        rows_ << cell;
    }
}

void InstallmentsSelectionViewController::setViewStyle() {
    if (card_ && !card_->bankImageURL().isEmpty()) {
        imageDownloader_ = new ImageDownloader(this);
        imageDownloader_->setImageView(paymentOptionImageView_);
        imageDownloader_->setUrlString(card_->bankImageURL());
        imageDownloader_->downloadTheImage();
    }
    paymentOptionLabel_->setText(maskedNumber(card_ ? card_->number() : QString()));
    if (mode_ == 0) {
        setTitle(QStringLiteral("Selecciona una cuota"));
        navigationItem()->setTitle(QStringLiteral("Selecciona una cuota"));
    } else if (mode_ == 1) {
        setTitle(QStringLiteral("Seleccionar cuenta"));
        navigationItem()->setTitle(QStringLiteral("Seleccionar cuenta"));
    }
}

int InstallmentsSelectionViewController::tableViewNumberOfRowsInSection(TableView*, int) {
    return int(rows_.size());
}

QWidget* InstallmentsSelectionViewController::tableViewCellForRowAtIndexPath(TableView*,
                                                                             IndexPath indexPath) {
    return rows_.value(indexPath.row).data();
}

int InstallmentsSelectionViewController::tableViewHeightForRowAtIndexPath(TableView*, IndexPath) {
    return 64;
}

void InstallmentsSelectionViewController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                           IndexPath indexPath) {
    table->selectRowAtIndexPath(std::nullopt);
    InstallmentOptionTableViewCell* cell = rows_.value(indexPath.row).data();
    if (!cell)
        return;
    if (cell->installment()) {
        finish(cell->installment());
        return;
    }
    QString firstIdentifier;
    if (!rows_.isEmpty() && rows_.first() && rows_.first()->installment())
        firstIdentifier = rows_.first()->installment()->identifier();
    QPointer<InstallmentsSelectionViewController> self(this);
    InstallmentsInputViewController::willPresent(false, this, kCustomInstallmentLimit,
                                                 [self, firstIdentifier](int count) {
                                                     if (!self)
                                                         return;
                                                     auto option = std::make_shared<Installment>();
                                                     option->setIdentifier(firstIdentifier);
                                                     option->setName(paymentsName(count));
                                                     option->setNumber(count);
                                                     self->finish(option);
                                                 });
}

void InstallmentsSelectionViewController::dismissViewController() {
    finish(nullptr);
}

void InstallmentsSelectionViewController::finish(std::shared_ptr<Installment> installment) {
    // One answer per screen, given once the screen is gone.
    if (!completionBlock_)
        return;
    Completion completion = std::exchange(completionBlock_, {});
    QPointer<InstallmentsSelectionViewController> self(this);
    dismissViewControllerAnimated(
        true, [completion, self, installment] { completion(self.data(), installment); });
}
