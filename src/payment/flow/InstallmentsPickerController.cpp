#include "payment/flow/InstallmentsPickerController.h"

#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "payment/flow/InstallmentsInputViewController.h"
#include "payment/flow/InstallmentsPickerCell.h"
#include "payment/flow/InstitutionEntry.h"
#include "platform/core/Values.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/View.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const QString kDebit = QStringLiteral("DEBIT");

QString pickerText(const char* file, const char* key) {
    return Language::textForFile(QString::fromLatin1(file), QString::fromLatin1(key));
}

QString paymentsText(int count, const QString& key) {
    if (count == 1)
        return pickerText("InstallmentsPicker", "onePayment");
    return TextFormatter::format(pickerText("InstallmentsPicker", "morePayments"), {key});
}

bool hasValue(const QVariantMap& map, const char* key) {
    const QVariant value = map.value(QLatin1String(key));
    return value.isValid() && !Values::isJsonNull(value);
}

} // namespace

InstallmentsPickerController::InstallmentsPickerController(QObject* parent)
    : ViewController(parent) {}

InstallmentsPickerController::~InstallmentsPickerController() {
    if (downloader_)
        downloader_->setDelegate(nullptr);
    // The bar takes the title view while this screen is on top and lets it go after.
    delete titleView_.data();
}

QWidget* InstallmentsPickerController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("InstallmentsPicker"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget(root);
    header->setObjectName(QStringLiteral("tableHeaderView"));
    header->setFixedHeight(96);
    View::setBackgroundColor(header, Qt::white);
    auto* logoBox = new QWidget(header);
    logoBox->setObjectName(QStringLiteral("logoBox"));
    auto* headerLine = new QHBoxLayout(header);
    headerLine->setContentsMargins(16, 8, 16, 8);
    headerLine->addWidget(logoBox, 1);
    logoBox->setMinimumHeight(80);
    institutionLogo_ = new ImageView(logoBox);
    institutionLogo_->setObjectName(QStringLiteral("institutionLogo"));
    institutionLogo_->setGeometry(0, 0, 80, 80);
    loading_ = new CustomActivitySpinnerView(QColor(120, 120, 120), 24, logoBox);
    loading_->setObjectName(QStringLiteral("loading"));
    loading_->move(28, 28);
    genericBank_ = new ImageView(logoBox);
    genericBank_->setObjectName(QStringLiteral("genericBank"));
    genericBank_->setImage(Bundle::load(QStringLiteral("generic_bank.png")));
    genericBank_->setGeometry(0, 16, 48, 48);
    genericBank_->hide();
    bankLabel_ = new QLabel(logoBox);
    bankLabel_->setObjectName(QStringLiteral("bankLabel"));
    bankLabel_->setFont(QFont(QStringLiteral("Helvetica Neue"), 20, QFont::Medium));
    bankLabel_->setGeometry(60, 16, 260, 48);
    bankLabel_->hide();
    cardLabel_ = new QLabel(header);
    cardLabel_->setObjectName(QStringLiteral("cardLabel"));
    headerLine->addWidget(cardLabel_);
    column->addWidget(header);

    table_ = new TableView(root);
    table_->setObjectName(QStringLiteral("tableView"));
    table_->registerCell(QStringLiteral("installments"),
                         [] { return new InstallmentsPickerCell(); });
    column->addWidget(table_, 1);

    titleView_ = new QWidget();
    titleView_->setObjectName(QStringLiteral("titleView"));
    auto* titles = new QVBoxLayout(titleView_);
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(0);
    navTitle_ = new QLabel(titleView_);
    navTitle_->setObjectName(QStringLiteral("navTitle"));
    navTitle_->setAlignment(Qt::AlignCenter);
    QFont titleFont = navTitle_->font();
    titleFont.setBold(true);
    navTitle_->setFont(titleFont);
    navSubTitle_ = new QLabel(titleView_);
    navSubTitle_->setObjectName(QStringLiteral("navSubTitle"));
    titles->addWidget(navTitle_);
    titles->addWidget(navSubTitle_);
    // The navigation bar shows it while this screen is on top; the screen deletes it.
    titleView_->hide();
    return root;
}

void InstallmentsPickerController::viewDidLoad() {
    ViewController::viewDidLoad();
    navigationItem()->setTitle(QString());
    navigationItem()->setTitleView(titleView_);
    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    cardLabel_->hide();

    const QVariantMap& entry = selectedInstitution_;
    if (InstitutionEntry::hasOwnLogo(entry)) {
        downloader_ = new ImageDownloader(this);
        downloader_->setDelegate(this);
        downloader_->setImageView(institutionLogo_);
        downloader_->setUrlString(Values::fieldText(entry.value(QStringLiteral("imageUrl"))));
        downloader_->setImageIndex(Values::fieldText(entry.value(QStringLiteral("index"))));
        downloader_->setActivityView(loading_);
        downloader_->downloadTheImage();
        institutionLogo_->show();
    } else {
        bankLabel_->setText(InstitutionEntry::displayName(entry));
        institutionLogo_->hide();
        genericBank_->show();
        bankLabel_->show();
        loading_->stopAnimating();
        loading_->hide();
    }
    buildSections();
    table_->setDataSource(this);
    table_->setDelegate(this);

    if (isModal()) {
        BarButtonItem cancel;
        cancel.title = QStringLiteral("Cancelar");
        cancel.objectName = QStringLiteral("cancelButton");
        cancel.action = [self = QPointer<InstallmentsPickerController>(this)] {
            if (self)
                self->dismissView();
        };
        navigationItem()->setLeftBarButtonItem(cancel);
    }
}

void InstallmentsPickerController::buildSections() {
    const QVariantMap plans = selectedInstitution_.value(QStringLiteral("installments")).toMap();
    QStringList keys;
    for (const QVariant& key : selectedInstitution_.value(QStringLiteral("orderedKeys")).toList())
        keys << Values::fieldText(key);
    if (keys.isEmpty())
        keys = InstitutionEntry::sortedPlanKeys(plans);

    QVariantList discounted, noInterest, withInterest;
    QString discountTitle;
    for (const QString& key : keys) {
        if (!plans.contains(key))
            continue;
        const QVariant plan = plans.value(key);
        const float d = InstitutionEntry::fraction(plan, "discountPercentage");
        const float r = InstitutionEntry::fraction(plan, "interestPercentage");
        if (d > 0) {
            discounted << key;
            discountTitle =
                TextFormatter::format(pickerText("InstallmentsPicker", "discountWithNoInterest"),
                                      {InstitutionEntry::roundedPercent(d)});
        } else if (r != 0) {
            withInterest << key;
        } else {
            noInterest << key;
        }
    }
    sections_.clear();
    auto section = [this](const QString& name, const QVariantList& list) {
        if (!list.isEmpty())
            sections_ << QVariantMap{{QStringLiteral("name"), name},
                                     {QStringLiteral("installments"), list}};
    };
    section(discountTitle, discounted);
    section(pickerText("InstallmentsAlternatives", "noInterest"), noInterest);
    section(pickerText("InstallmentsAlternatives", "withInterest"), withInterest);
}

void InstallmentsPickerController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    isDebitCard_ = Values::fieldText(selectedInstitution_.value(QStringLiteral("type"))) == kDebit;
    navTitle_->setText(pickerText("InstallmentsAlternatives", "installments"));
    navSubTitle_->hide();
    table_->reloadData();
    styleSectionHeaders();
}

void InstallmentsPickerController::styleSectionHeaders() {
    for (int section = 0; section < table_->numberOfSections(); ++section) {
        auto* label = table_->findChild<QLabel*>(QStringLiteral("sectionHeader%1").arg(section));
        if (!label)
            continue;
        label->setFont(QFont(QStringLiteral("Helvetica Neue"), 14, QFont::Medium));
        label->setFixedHeight(24);
        label->setContentsMargins(10, 0, 10, 0);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor(120, 120, 120, 230));
        palette.setColor(QPalette::WindowText, QColor::fromRgbF(1, 1, 1, 1));
        label->setPalette(palette);
    }
}

// ---------------------------------------------------------------- table

int InstallmentsPickerController::numberOfSectionsInTableView(TableView*) {
    return isDebitCard_ ? 1 : int(sections_.size());
}

int InstallmentsPickerController::tableViewNumberOfRowsInSection(TableView*, int section) {
    if (isDebitCard_)
        return int(selectedInstitution_.value(QStringLiteral("bankAccountTypes")).toList().size());
    return int(
        sections_.value(section).toMap().value(QStringLiteral("installments")).toList().size());
}

QString InstallmentsPickerController::tableViewTitleForHeaderInSection(TableView*, int section) {
    return sections_.value(isDebitCard_ ? 0 : section)
        .toMap()
        .value(QStringLiteral("name"))
        .toString();
}

QString InstallmentsPickerController::keyAt(IndexPath indexPath) const {
    return sections_.value(indexPath.section)
        .toMap()
        .value(QStringLiteral("installments"))
        .toList()
        .value(indexPath.row)
        .toString();
}

QWidget* InstallmentsPickerController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                      IndexPath indexPath) {
    auto* cell = static_cast<InstallmentsPickerCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("installments")));
    QString key;
    QVariant entry;
    int count = 1;
    if (isDebitCard_) {
        key = QString::number(indexPath.row);
        entry = selectedInstitution_.value(QStringLiteral("bankAccountTypes"))
                    .toList()
                    .value(indexPath.row);
        // An account pays in one payment: its price is the whole of it.
    } else {
        key = keyAt(indexPath);
        entry = selectedInstitution_.value(QStringLiteral("installments")).toMap().value(key);
        count = InstitutionEntry::countOf(key);
    }
    if (entry.typeId() == QMetaType::QString) {
        cell->installmentsDetail()->setText(QStringLiteral("Manual"));
        cell->installmentsPrice()->clear();
        cell->installmentsSubDetail()->hide();
        return cell;
    }
    const QVariantMap plan = entry.toMap();
    double price = 0;
    if (hasValue(plan, "Payment")) {
        price = Values::doubleValue(plan.value(QStringLiteral("Payment")));
    } else {
        const float d = InstitutionEntry::fraction(plan, "discountPercentage");
        const float r = InstitutionEntry::fraction(plan, "interestPercentage");
        price = sale_->total()->doubleValue() * double(1.0f - d) * double(1.0f + r) /
                std::max(1, count);
    }
    cell->installmentsPrice()->setText(Amount::initWithDouble(price)->getAmount());
    QString detail = paymentsText(isDebitCard_ ? 1 : count, key);
    if (hasValue(plan, "name"))
        detail = Values::fieldText(plan.value(QStringLiteral("name")));
    cell->installmentsDetail()->setText(detail);
    cell->installmentsSubDetail()->hide();
    return cell;
}

void InstallmentsPickerController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                    IndexPath indexPath) {
    QString key = keyAt(indexPath);
    if (isDebitCard_) {
        key = QStringLiteral("1");
        const QVariantMap account = selectedInstitution_.value(QStringLiteral("bankAccountTypes"))
                                        .toList()
                                        .value(indexPath.row)
                                        .toMap();
        sale_->setBankId(Values::describe(account.value(QStringLiteral("number"))));
    }
    const QVariant plan =
        selectedInstitution_.value(QStringLiteral("installments")).toMap().value(key);
    if (plan.typeId() == QMetaType::QString) {
        table->selectRowAtIndexPath(std::nullopt);
        QPointer<InstallmentsPickerController> self(this);
        InstallmentsInputViewController::willPresent(true, this, kCustomInstallmentLimit,
                                                     [self](int count) {
                                                         if (self)
                                                             self->customCountChosen(count);
                                                     });
        return;
    }
    const QVariantMap terms = plan.toMap();
    if (hasValue(terms, "installmentId"))
        sale_->setInstallmentId(Values::fieldText(terms.value(QStringLiteral("installmentId"))));

    const float d = InstitutionEntry::fraction(plan, "discountPercentage");
    const bool manualDiscount =
        (sale_->discountAmount() && sale_->discountAmount()->doubleValue() != 0) ||
        sale_->discountPercentage() != 0;
    const auto card = sale_->creditCard();
    if (d == 0 || !manualDiscount || (card && card->discount() > 0)) {
        recordPlan(key);
        if (hasValue(terms, "Name"))
            sale_->setPaymentMethodName(Values::fieldText(terms.value(QStringLiteral("Name"))));
        if (hasValue(terms, "name"))
            sale_->setPaymentMethodName(Values::fieldText(terms.value(QStringLiteral("name"))));
        table->selectRowAtIndexPath(std::nullopt);
        installmentSelected();
        return;
    }
    askAboutPromotion(key);
}

void InstallmentsPickerController::customCountChosen(int count) {
    // A typed count is at least one payment.
    count = std::max(1, count);
    sale_->setInstallmentId(QStringLiteral("1"));
    sale_->setPaymentMethodName(paymentsText(count, QString::number(count)));
    QVariantMap custom = sale_->customData();
    custom.remove(QStringLiteral("trasladaCFT"));
    sale_->setCustomData(custom);
    if (sale_->creditCard())
        sale_->creditCard()->setInstallments(count);
    installmentSelected();
}

void InstallmentsPickerController::askAboutPromotion(const QString& key) {
    selectedInstallmentsKey_ = key;
    QString suffix;
    if (sale_->discountPercentage() > 0)
        suffix = TextFormatter::format(
            pickerText("InstallmentsPicker", "ofPercentage"),
            {InstitutionEntry::truncatedPercent(float(sale_->discountPercentage()))});
    else if (sale_->discountAmount() && sale_->discountAmount()->doubleValue() > 0)
        suffix = TextFormatter::format(pickerText("InstallmentsPicker", "ofAmount"),
                                       {sale_->discountAmount()->getAmount()});
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(),
        TextFormatter::format(pickerText("InstallmentsPicker", "addPromotion"), {suffix}));
    QPointer<InstallmentsPickerController> self(this);
    const QStringList titles{pickerText("GlobalTexts", "cancel"),
                             pickerText("InstallmentsPicker", "yesAddPromotion"),
                             pickerText("InstallmentsPicker", "removeDiscount")};
    for (int index = 0; index < titles.size(); ++index)
        alert->addAction(titles.at(index),
                         index == 0 ? SystemAlertAction::Cancel : SystemAlertAction::Default,
                         [self, index](SystemAlertAction*) {
                             if (self)
                                 self->promotionAnswered(index);
                         });
    additionalDiscountAlert_ = alert;
    presentViewController(alert, true);
}

void InstallmentsPickerController::promotionAnswered(int index) {
    additionalDiscountAlert_ = nullptr;
    if (index == 0) {
        if (NavigationController* nav = navigationController())
            nav->popViewControllerAnimated(true);
        return;
    }
    if (index == 2) {
        sale_->setDiscountAmount(Amount::initWithDouble(0));
        sale_->setDiscountPercentage(0);
        sale_->recalculateTotalAmount();
    }
    recordPlan(selectedInstallmentsKey_);
    performSegueWithIdentifier(QStringLiteral("deviceSegue"), this);
}

void InstallmentsPickerController::recordPlan(const QString& key) {
    const QVariant plan =
        selectedInstitution_.value(QStringLiteral("installments")).toMap().value(key);
    const float d = InstitutionEntry::fraction(plan, "discountPercentage");
    const float r = InstitutionEntry::fraction(plan, "interestPercentage");
    // A count below one (a key "0" or none) is one payment: no division by zero.
    const int n = std::max(1, InstitutionEntry::countOf(key));

    // The total-cost mark belongs to the plan recorded last, not to an earlier choice.
    QVariantMap custom = sale_->customData();
    if (plan.typeId() == QMetaType::QVariantMap &&
        Values::doubleValue(plan.toMap().value(QStringLiteral("CFT"))) > 0)
        custom.insert(QStringLiteral("trasladaCFT"), 1);
    else
        custom.remove(QStringLiteral("trasladaCFT"));
    sale_->setCustomData(custom);

    const auto card = sale_->creditCard();
    if (!card)
        return;
    const float p = float(sale_->total()->doubleValue() * double(1.0f - d) * double(1.0f + r));
    card->setDiscount(d);
    card->setInterest(r);
    card->setInstallments(n);
    card->setInstallmentsPrice(p / float(n));
    card->setBankName(Values::fieldText(selectedInstitution_.value(QStringLiteral("index"))));
    card->setBankImage(institutionLogo_ ? institutionLogo_->image() : QImage());
}

void InstallmentsPickerController::installmentSelected() {
    performSegueWithIdentifier(QStringLiteral("deviceSegue"), this);
}

// ---------------------------------------------------------------- leaving a modal picker

bool InstallmentsPickerController::isModal() const {
    if (presentingViewController())
        return true;
    NavigationController* nav = navigationController();
    return nav && nav->presentingViewController() &&
           nav->presentingViewController()->presentedViewController() == nav;
}

void InstallmentsPickerController::dismissView() {
    NavigationController* nav = navigationController();
    if (nav && nav->viewControllers().size() > 1) {
        nav->popViewControllerAnimated(true);
        return;
    }
    Sale::sharedSale().cleanSale();
    auto clean = [] { Sale::sharedSale().cleanSale(); };
    SlidingViewController* sliding = SlidingViewController::slidingViewControllerFor(this);
    ViewController* top = sliding ? sliding->topViewController() : nullptr;
    if (auto* topNav = qobject_cast<NavigationController*>(top)) {
        topNav->popToRootViewControllerAnimated(true);
        if (ViewController* root = topNav->viewControllers().value(0))
            if (root->metaObject()->indexOfMethod("cleanSale()") >= 0)
                QMetaObject::invokeMethod(root, "cleanSale");
    }
    if (top) {
        if (top->presentedViewController())
            top->dismissViewControllerAnimated(true, clean);
    } else {
        dismissViewControllerAnimated(true, clean);
    }
}

// ---------------------------------------------------------------- logo

void InstallmentsPickerController::downloadDidFinishDownloading(ImageDownloader* downloader) {
    const QImage image = downloader->image();
    if (QWidget* box = institutionLogo_ ? institutionLogo_->parentWidget() : nullptr) {
        const QSize size = image.size() / 2;
        institutionLogo_->setGeometry(int((box->width() - size.width()) / 2),
                                      int((box->height() - size.height()) / 2), size.width(),
                                      size.height());
    }
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setBankImage(image);
    downloader->setDelegate(nullptr);
}

void InstallmentsPickerController::download(ImageDownloader* downloader,
                                            const std::optional<TarvelloError>&) {
    downloader->setDelegate(nullptr);
}
