#include "payment/signature_receipts/SendReceiptListController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/Extensions/Sorting.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/ScreenRoot.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString listText(const char* section, const char* key) {
    return Language::textForFile(QLatin1String(section), QLatin1String(key));
}

QString field(const QVariantMap& record, const char* key) {
    const QVariant value = record.value(QLatin1String(key));
    return value.isNull() ? QString() : value.toString();
}

QWidget* oneLabelCell(const char* labelName, const QString& text, const QColor& color) {
    auto* cell = new QWidget();
    cell->setFixedHeight(56);
    auto* row = new QVBoxLayout(cell);
    row->setContentsMargins(16, 0, 16, 0);
    auto* label = new QLabel(text, cell);
    label->setObjectName(QLatin1String(labelName));
    label->setStyleSheet(QStringLiteral("font-size: 16px; color: %1;").arg(color.name()));
    row->addWidget(label);
    return cell;
}
} // namespace

SendReceiptListController::SendReceiptListController(QObject* parent)
    : ViewController(parent) {}

QWidget* SendReceiptListController::loadView() {
    auto* root = new QWidget();
    QVBoxLayout* column = ScreenRoot::whiteColumn(root);
    auto* searchView = new QWidget(root);
    searchView->setObjectName(QStringLiteral("searchView"));
    searchView->setStyleSheet(QStringLiteral("#searchView { background: #f2f2f2; }"));
    auto* searchRow = new QVBoxLayout(searchView);
    searchRow->setContentsMargins(8, 8, 8, 8);
    searchBar_ = new QLineEdit(searchView);
    searchBar_->setObjectName(QStringLiteral("searchBar"));
    searchBar_->setClearButtonEnabled(true);
    searchBar_->setMinimumHeight(32);
    searchRow->addWidget(searchBar_);
    column->addWidget(searchView);
    header_ = new QLabel(root);
    header_->setObjectName(QStringLiteral("header"));
    header_->setAlignment(Qt::AlignCenter);
    header_->setWordWrap(true);
    header_->setContentsMargins(16, 12, 16, 12);
    column->addWidget(header_);
    tableView_ = new TableView(root);
    tableView_->setObjectName(QStringLiteral("tableView"));
    column->addWidget(tableView_, 1);
    connect(searchBar_, &QLineEdit::textChanged, this,
            [this](const QString& text) { searchBarTextDidChange(text); });
    connect(searchBar_, &QLineEdit::returnPressed, searchBar_,
            [this] { searchBar_->clearFocus(); });
    return root;
}

void SendReceiptListController::viewDidLoad() {
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    viewWillAppear(false);
    navigationItem()->setHidesBackButton(true);
    displayLoadingIndicator();
    auto* client = new APIController(this);
    client->setDelegate(this);
    client->getBuyersForUserId(User::instance().userId(), User::instance().token());
}

void SendReceiptListController::viewWillAppear(bool) {
    setTitle(listText("SendReceiptList", "sendReceipt"));
    navigationItem()->setTitle(title());
    navigationItem()->setRightBarButtonItem(BarButtonItem{listText("SendReceiptList", "ommit"),
                                                          QStringLiteral("skipButton"),
                                                          [this] { skip(); },
                                                          {},
                                                          true});
    header_->setText(listText("SendReceiptList", "header"));
}

void SendReceiptListController::viewDidDisappear(bool) {
    tableView_->selectRowAtIndexPath(std::nullopt);
}

void SendReceiptListController::skip() {
    performSegueWithIdentifier(SignatureReceiptScreens::continueSegue, this);
}

void SendReceiptListController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    ViewController* destination = segue.destinationViewController();
    if (segue.identifier() == SignatureReceiptScreens::buyerDataSegue) {
        if (auto* form = qobject_cast<SendReceiptDataController*>(destination))
            form->setBuyerDic(selectedBuyer_);
    }
    if (auto* receiver = dynamic_cast<SaleReceiver*>(destination); receiver && sale_)
        receiver->setSale(sale_);
}

bool SendReceiptListController::recordMatches(const QVariantMap& record, const QString& text) {
    const QString first = field(record, "firstName");
    const QString last = field(record, "lastName");
    const QString email = field(record, "email");
    int nameHits = 0;
    bool included = true;
    for (const QString& piece : text.split(QLatin1Char(' '))) {
        const QString word = piece.trimmed();
        if (word.isEmpty())
            continue;
        const bool inName =
            first.contains(word, Qt::CaseInsensitive) || last.contains(word, Qt::CaseInsensitive);
        if (inName)
            ++nameHits;
        if (!inName && !email.contains(word, Qt::CaseInsensitive))
            included = false;
    }
    if (!included) {
        const qsizetype parts = (first + QLatin1Char(' ') + last).split(QLatin1Char(' ')).size();
        included = parts == nameHits;
    }
    return included;
}

void SendReceiptListController::searchBarTextDidChange(const QString& text) {
    if (text.isEmpty()) {
        isFiltered_ = false;
        searchBar_->clearFocus();
    } else {
        isFiltered_ = true;
        filteredTableData_.clear();
        for (const QVariant& record : buyersList_.value_or(QVariantList()))
            if (recordMatches(record.toMap(), text))
                filteredTableData_.append(record);
    }
    tableView_->reloadData();
}

QVariantMap SendReceiptListController::recordAtRow(int row) const {
    const QVariantList& list = isFiltered_ ? filteredTableData_ : *buyersList_;
    return list.value(row - 1).toMap();
}

int SendReceiptListController::tableViewNumberOfRowsInSection(TableView*, int) {
    if (isFiltered_)
        return filteredTableData_.isEmpty() ? 2 : 1 + int(filteredTableData_.size());
    return buyersList_ ? 1 + int(buyersList_->size()) : 0;
}

QWidget* SendReceiptListController::tableViewCellForRowAtIndexPath(TableView*,
                                                                   IndexPath indexPath) {
    if (indexPath.row == 0) {
        QWidget* cell = oneLabelCell("newCustomerLabel", listText("SendReceiptList", "newCustomer"),
                                     UIKitSupport::mainColor());
        cell->setObjectName(QStringLiteral("NewBuyerCell"));
        return cell;
    }
    if (noMatches()) {
        QWidget* cell = oneLabelCell("noResultsLabel", listText("GlobalTexts", "noResults"),
                                     QColor(120, 120, 120));
        cell->setObjectName(QStringLiteral("NoResultsCell"));
        return cell;
    }
    const QVariantMap record = recordAtRow(indexPath.row);
    auto* cell = new QWidget();
    cell->setObjectName(QStringLiteral("BuyerCell"));
    cell->setFixedHeight(60);
    auto* picture = new ImageView(cell);
    picture->setObjectName(QStringLiteral("userPicture"));
    picture->setGeometry(12, 8, 44, 44);
    picture->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    auto* noPicture = new QLabel(cell);
    noPicture->setObjectName(QStringLiteral("noPicture"));
    noPicture->setGeometry(12, 8, 44, 44);
    noPicture->setStyleSheet(QStringLiteral("background: #dde3e8; border-radius: 22px;"));
    const QString imageUrl = field(record, "buyerImageUrl");
    picture->setVisible(!imageUrl.isEmpty());
    noPicture->setVisible(imageUrl.isEmpty());
    if (!imageUrl.isEmpty()) {
        auto* downloader = new ImageDownloader(picture);
        downloader->setUrlString(imageUrl);
        downloader->setImageIndex(field(record, "buyerId"));
        downloader->setImageView(picture);
        downloader->downloadTheImage();
    }
    auto* name = new QLabel(cell);
    name->setObjectName(QStringLiteral("name"));
    name->setStyleSheet(QStringLiteral("font-size: 16px;"));
    name->setText(
        QStringLiteral("%1, %2").arg(field(record, "lastName"), field(record, "firstName")));
    auto* lastAccess = new QLabel(cell);
    lastAccess->setObjectName(QStringLiteral("lastAccess"));
    lastAccess->setStyleSheet(QStringLiteral("font-size: 13px; color: #777;"));
    const QVariant email = record.value(QStringLiteral("email"));
    const bool noEmail = email.isValid() && !email.isNull() && email.toString().isEmpty();
    name->setGeometry(68, noEmail ? 18 : 8, 230, 21);
    lastAccess->setGeometry(68, 31, 230, 21);
    lastAccess->setText(noEmail ? QString() : field(record, "email"));
    return cell;
}

void SendReceiptListController::tableViewDidSelectRowAtIndexPath(TableView*, IndexPath indexPath) {
    if (noMatches() && indexPath.row != 0)
        return;
    if (indexPath.row == 0)
        selectedBuyer_.reset();
    else
        selectedBuyer_ = recordAtRow(indexPath.row);
    performSegueWithIdentifier(SignatureReceiptScreens::buyerDataSegue, this);
}

bool SendReceiptListController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& answer) {
    if (!answer || answer->value(QStringLiteral("success")).toString() != QLatin1String("OK")) {
        apiDidFailWithError(TarvelloError{}, functionName);
        return true;
    }
    if (functionName == FunctionCode::GetBuyers) {
        QVariantList list = answer->value(QStringLiteral("data")).toList();
        std::stable_sort(list.begin(), list.end(), [](const QVariant& a, const QVariant& b) {
            return subuserSort(a.toMap(), b.toMap(), nullptr) < 0;
        });
        buyersList_ = list;
        if (isFiltered_)
            searchBarTextDidChange(searchBar_->text());
        else
            tableView_->reloadData();
    }
    hideLoadingIndicatorAnimated(false);
    return true;
}

void SendReceiptListController::apiDidFailWithError(const TarvelloError&, int) {
    hideLoadingIndicatorAnimated(false);
    auto* alert =
        SystemAlert::alertControllerWithTitle(QString(), listText("GlobalTexts", "connError"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}
