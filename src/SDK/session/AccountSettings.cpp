#include "SDK/session/AccountSettings.h"

#include "SDK/session/User.h"
#include "model/values/CBUStatus.h"
#include "model/values/Currency.h"
#include "model/values/QRSettings.h"
#include "model/values/Tax.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/VersionDispatch.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "platform/core/VersionDispatch.h"
#include "ui_kit/texts/Language.h"

#include <QFont>
#include <QGuiApplication>
#include <QMutex>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Services of other parts of the SDK that the settings use.
namespace services {

void setCurrencyInForce(const QString& format, const QString& code, const QString& name) {
    Currency::instance()->setCurrencyFormat(format, code, name);
}

std::shared_ptr<QRSettings> qrSettings(int mode, const QVariantMap& answer) {
    return QRSettings::settingsWithMode(quint64(mode), answer);
}

std::shared_ptr<CBUStatus> cbuStatus(const QVariantMap& data) {
    return CBUStatus::fromDictionary(data);
}

std::shared_ptr<UserAccountType> accountType(const QVariantMap& answer) {
    return UserAccountType::withDictionary(answer);
}

QColor mainColor() {
    return VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
}

} // namespace services

const QString kDefaultCurrencyKey = QStringLiteral("defaultCurrency");

// The tutorial flags' keys, in the order amount, catalog, sales history, buyers, edit catalog,
// sub-users, configuration.
const QStringList& tutorialKeys() {
    static const QStringList keys{
        QStringLiteral("tutorialAmount"),       QStringLiteral("tutorialCatalog"),
        QStringLiteral("tutorialSalesHistory"), QStringLiteral("tutorialBuyers"),
        QStringLiteral("tutorialEditCatalog"),  QStringLiteral("tutorialSubusers"),
        QStringLiteral("tutorialConfiguration")};
    return keys;
}

struct ReaderName {
    int code;
    const char* name;
};
// In the order names are matched.
constexpr ReaderName kReaders[] = {{1, "bluepad"}, {4, "e265"},    {2, "d180"},
                                   {3, "vi218"},   {5, "dspread"}, {6, "dspread_pinpad"},
                                   {7, "magicpos"}};

bool isScalar(const QVariant& v) {
    return v.typeId() == QMetaType::QString || Values::isNumber(v);
}

// Readings of an answer key. A missing key, JSON null or a value of the wrong JSON type reads
// as absent.
std::optional<bool> boolAt(const QVariantMap& a, const QString& key) {
    const auto it = a.constFind(key);
    if (it == a.cend() || !isScalar(*it))
        return std::nullopt;
    return Values::boolValue(*it);
}

int toInt32(qint64 v) {
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::optional<int> intAt(const QVariantMap& a, const QString& key) {
    const auto it = a.constFind(key);
    if (it == a.cend() || !isScalar(*it))
        return std::nullopt;
    return toInt32(Values::integerValue(*it));
}

std::optional<double> doubleAt(const QVariantMap& a, const QString& key) {
    const auto it = a.constFind(key);
    if (it == a.cend() || !isScalar(*it))
        return std::nullopt;
    return Values::doubleValue(*it);
}

std::optional<QVariantList> listAt(const QVariantMap& a, const QString& key) {
    const auto it = a.constFind(key);
    if (it == a.cend() || it->typeId() != QMetaType::QVariantList)
        return std::nullopt;
    return it->toList();
}

// The text of a key; the empty text when it is absent or JSON null.
QString textAt(const QVariantMap& a, const QString& key) {
    if (!SafeDictionary::hasKey(a, key))
        return QString("");
    return SafeDictionary::safeObjectForKey(a, key);
}

QVariantList doublesOf(const QVariantList& list) {
    QVariantList out;
    out.reserve(list.size());
    for (const QVariant& v : list)
        out.append(Values::doubleValue(v));
    return out;
}

QVariantList defaultDiscounts() {
    return QVariantList{0.05, 0.10, 0.20};
}

// Percent text of a share in the en_US style: the share's shortest decimal form times 100,
// rounded half to even to the given number of decimals.
QString percentText(double share, int decimals) {
    if (!std::isfinite(share))
        return QString::number(share) + QLatin1Char('%');
    QString s = QString::number(share, 'e', QLocale::FloatingPointShortest);
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    QString digits = s.left(e);
    digits.remove(QLatin1Char('.'));
    const int exponent = s.mid(e + 1).toInt();
    // digits[0] sits at 10^(exponent + 2) once multiplied by 100.
    const int integerLength = exponent + 3;
    const int keep = integerLength + decimals;
    QString kept;
    bool roundUp = false;
    if (keep >= 0) {
        while (digits.size() < keep + 1)
            digits.append(QLatin1Char('0'));
        kept = digits.left(keep);
        const QString rest = digits.mid(keep);
        const QChar first = rest.at(0);
        bool beyond = false;
        for (qsizetype i = 1; i < rest.size(); ++i)
            beyond = beyond || rest.at(i) != QLatin1Char('0');
        const bool lastOdd = !kept.isEmpty() && (kept.back().digitValue() % 2 == 1);
        roundUp = first > QLatin1Char('5') || (first == QLatin1Char('5') && (beyond || lastOdd));
    }
    if (kept.isEmpty())
        kept = QStringLiteral("0");
    if (roundUp) {
        qsizetype i = kept.size() - 1;
        while (i >= 0 && kept.at(i) == QLatin1Char('9'))
            kept[i--] = QLatin1Char('0');
        if (i < 0)
            kept.prepend(QLatin1Char('1'));
        else
            kept[i] = QChar(kept.at(i).unicode() + 1);
    }
    while (kept.size() < decimals + 1)
        kept.prepend(QLatin1Char('0'));
    QString whole = kept.left(kept.size() - decimals);
    while (whole.size() > 1 && whole.front() == QLatin1Char('0'))
        whole.remove(0, 1);
    QString text = whole;
    if (decimals > 0)
        text += QLatin1Char('.') + kept.right(decimals);
    const bool zero = !text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative && !zero ? QStringLiteral("-") : QString()) + text + QLatin1Char('%');
}

double entryAt(const QVariantList& list, int index) {
    if (index < 0 || index >= list.size())
        return 0.0;
    return Values::doubleValue(list.at(index));
}

} // namespace

AccountSettings::AccountSettings() {
    reset();
}

AccountSettings::~AccountSettings() = default;

AccountSettings& AccountSettings::instance() {
    static QMutex lock;
    static std::unique_ptr<AccountSettings> shared;
    QMutexLocker locker(&lock);
    if (!shared) {
        shared = std::make_unique<AccountSettings>();
        // The text table follows the shared settings' language from now on (a new instance
        // says "es", as the table does without a source).
        Language::setApplicationLanguageSource(
            [] { return AccountSettings::instance().appLanguage(); });
    }
    return *shared;
}

QVariantList AccountSettings::builtInCurrencies() {
    return QVariantList{
        QVariantMap{{"code", "484"},
                    {"symbol", "$"},
                    {"es", QStringLiteral("Pesos mexicanos (MXN)")},
                    {"en", "Mexican pesos (MXN)"},
                    {"exchangeRate", "540.90"}},
        QVariantMap{{"code", "840"},
                    {"symbol", "USD"},
                    {"es", QStringLiteral("Dólares (USD)")},
                    {"en", "US Dollars (USD)"},
                    {"exchangeRate", "1.00"}},
    };
}

void AccountSettings::reset() {
    appLanguage_ = QStringLiteral("es");
    setDigitalAccountId(QString(""));
    catalogDefault_ = false;
    tipsEnabled_ = false;
    defaultDiscountIndex_ = -1;
    mandatoryTipPercentage_ = 0.0;
    discountsEnabled_ = false;
    discountsList_ = defaultDiscounts();
    signEnabled_ = true;
    taxPercentage_ = 1.0;

    isSubUser_ = canAccessFullHistory_ = canAccessUserHistory_ = canEditCatalog_ = false;
    canMakeRefunds_ = canMakeCancellations_ = canHaveSubusers_ = canEditGeneralSettings_ = false;
    canAccessBuyers_ = hasPin_ = hasSubusers_ = canUploadPicture_ = feedbackEnabled_ = false;
    closeBatch_ = false;
    feedbackUnreadMessages_ = 0;

    // A flag already stored as done stays done; reset never clears one.
    UserDefaults& store = UserDefaults::standardUserDefaults();
    bool* flags[] = {&tutorialAmount_,       &tutorialCatalog_,     &tutorialSalesHistory_,
                     &tutorialBuyers_,       &tutorialEditCatalog_, &tutorialSubusers_,
                     &tutorialConfiguration_};
    for (int i = 0; i < tutorialKeys().size(); ++i) {
        if (store.hasKey(tutorialKeys().at(i)))
            *flags[i] = true;
    }
    tutorialAmount_ = true;

    isInvoicerLinked_ = false;
    accountType_.reset();
}

void AccountSettings::loadWithDictionary(const QVariantMap& answer) {
    // The answer carries the session token: log its keys only.
    Logging::debug(
        tarvelloSdk,
        QStringLiteral("Settings answer with keys: %1").arg(QStringList(answer.keys()).join(", ")));

    {
        const auto it = answer.constFind(QStringLiteral("mode"));
        catalogDefault_ = it != answer.cend() && it->typeId() == QMetaType::QString &&
                          it->toString() == QLatin1String("list");
    }
    if (SafeDictionary::hasKey(answer, "amountEntryModes")) {
        if (auto modes = listAt(answer, "amountEntryModes"))
            entryModes_ = *modes;
    }
    shoppingCartAvailable_ = boolAt(answer, "shoppingCartAvailable").value_or(true);
    taxPercentage_ = 0.0;
    defaultTaxPercentage_ = 0.0;
    buyersEnabled_ = boolAt(answer, "buyersAvailable").value_or(true);
    catalogEnabled_ = false;
    if (auto v = doubleAt(answer, "globalMaxTipPercentage"))
        globalMaxTipPercentage_ = *v;
    {
        const QVariant cvm = answer.value("cvmLimit");
        customCvmLimit_ = isScalar(cvm) ? cvm : QVariant();
        const QVariant contactless = answer.value("contactlessTransactionLimit");
        contactlessTransactionLimit_ = isScalar(contactless) ? contactless : QVariant();
    }
    if (auto manual = boolAt(answer, "manualEntry")) {
        manualEntry_ = *manual;
        maxSwipeErrors_ = intAt(answer, "maxSwipeErrors").value_or(0);
    } else {
        manualEntry_ = false;
    }
    if (auto v = boolAt(answer, "canRecharge"))
        canRecharge_ = *v;
    if (auto v = boolAt(answer, "canPayServices"))
        canPayServices_ = *v;
    transactionalQR_ = services::qrSettings(0, answer);
    settingsQR_ = services::qrSettings(1, answer);

    if (auto list = listAt(answer, "currencies"); list && !list->isEmpty())
        currencies_ = *list;
    if (currencies_.isEmpty())
        currencies_ = builtInCurrencies();
    {
        const QVariant saved =
            UserDefaults::standardUserDefaults().objectForKey(kDefaultCurrencyKey);
        if (saved.typeId() == QMetaType::QVariantMap) {
            const QVariantMap c = saved.toMap();
            services::setCurrencyInForce(textAt(c, "format"), textAt(c, "code"), textAt(c, "name"));
        } else {
            const QVariantMap first = currencies_.constFirst().toMap();
            services::setCurrencyInForce(textAt(first, "symbol"), textAt(first, "code"),
                                         textAt(first, appLanguage_));
        }
    }

    tipsEnabled_ = boolAt(answer, "tipAvailable").value_or(true);
    midSouth_ = textAt(answer, "midSouth");
    hasSubusers_ = boolAt(answer, "hasSubusers").value_or(false);
    subusersEnabled_ = hasSubusers_;
    if (auto v = boolAt(answer, "canRefillPrepaidCard"))
        prepaidRefillAvailable_ = *v;
    if (auto v = doubleAt(answer, "refillFeeAmount"))
        prepaidRefillFee_ = *v;
    feedbackEnabled_ = boolAt(answer, "feedbackAvailable").value_or(false);
    if (feedbackEnabled_)
        feedbackUnreadMessages_ = intAt(answer, "feedbackUnreadMessages").value_or(0);
    feedbackSwitchEnabled_ = boolAt(answer, "feedbackSwitchAvailable").value_or(false);
    selectedCardReader_ = 6;
    signatureLimitAmount_ = doubleAt(answer, "signatureLimitAmount").value_or(0.0);
    signatureLimitCurrencyCode_ = QStringLiteral("484");
    {
        const QVariant code = answer.value("signatureLimitCurrencyCode");
        if (isScalar(code) && !Values::describe(code).isEmpty())
            signatureLimitCurrencyCode_ = QString::number(toInt32(Values::integerValue(code)));
    }
    defaultTipIndex_ = intAt(answer, "predefinedTipIndex").value_or(1);
    mandatoryTipPercentage_ = doubleAt(answer, "obligatoryTipPercentage").value_or(0.0);
    if (auto tips = listAt(answer, "tipsToShow"); tips && !tips->isEmpty())
        tipsList_ = doublesOf(*tips);
    {
        const QVariant funds = answer.value("retirementFunds");
        bankInfo_ = funds.typeId() == QMetaType::QVariantMap ? funds.toMap() : QVariantMap();
    }
    discountsEnabled_ = false;
    defaultDiscountIndex_ = intAt(answer, "predefinedDiscountIndex").value_or(-1);
    if (auto discounts = listAt(answer, "discountsToShow"))
        discountsList_ = doublesOf(*discounts);
    else
        discountsList_ = defaultDiscounts();
    taxMode_ = textAt(answer, "taxMode");
    taxEnabled_ = boolAt(answer, "taxAvailable").value_or(false);
    signEnabled_ = boolAt(answer, "signAvailable").value_or(true);
    if (auto v = boolAt(answer, "canUploadPhoto"))
        canUploadPicture_ = *v;
    isSubUser_ = boolAt(answer, "isSubUser").value_or(false);
    canMakeRefunds_ = boolAt(answer, "refunds").value_or(false);
    canMakeCancellations_ = boolAt(answer, "annulments").value_or(false);
    canAccessUserHistory_ = boolAt(answer, "userHistory").value_or(false);
    canAccessFullHistory_ = boolAt(answer, "fullHistory").value_or(false);
    canEditCatalog_ = false;
    canEditGeneralSettings_ = true;
    canHaveSubusers_ = false;
    canAccessBuyers_ = boolAt(answer, "editClients").value_or(false);
    {
        // Presence marks a tutorial done, whatever the value.
        bool* flags[] = {&tutorialAmount_,       &tutorialCatalog_,     &tutorialSalesHistory_,
                         &tutorialBuyers_,       &tutorialEditCatalog_, &tutorialSubusers_,
                         &tutorialConfiguration_};
        for (int i = 0; i < tutorialKeys().size(); ++i) {
            if (answer.contains(tutorialKeys().at(i)))
                *flags[i] = true;
        }
    }
    installmentsEnabled_ = boolAt(answer, "installmentsAvailable").value_or(false);
    cardOperationsEnabled_ = boolAt(answer, "debitCreditCardPayments").value_or(true);
    {
        const QVariant cbu = answer.value("cbuData");
        if (cbu.typeId() == QMetaType::QVariantMap)
            cbuStatus_ = services::cbuStatus(cbu.toMap());
    }
    if (SafeDictionary::hasKey(answer, "accountType"))
        accountType_ = services::accountType(answer);
    if (SafeDictionary::hasKey(answer, "depositTaxMessage"))
        depositTaxMessage_ = SafeDictionary::safeObjectForKey(answer, "depositTaxMessage");
    setDigitalAccountId(SafeDictionary::stringForKeyPath(answer, "digitalAccountId"));
}

double AccountSettings::getFloatTip(int index) const {
    return entryAt(tipsList_, index);
}

QString AccountSettings::getStringTip(int index) const {
    if (index < 0 || index >= tipsList_.size())
        return QString("");
    return percentText(getFloatTip(index), 0);
}

double AccountSettings::getFloatDiscount(int index) const {
    return entryAt(discountsList_, index);
}

QString AccountSettings::getStringDiscount(int index) const {
    if (index < 0 || index >= discountsList_.size())
        return QString("");
    return percentText(getFloatDiscount(index), 2);
}

QList<std::shared_ptr<Tax>> AccountSettings::fixedTaxesFixed(bool fixed) const {
    QList<std::shared_ptr<Tax>> out;
    for (const auto& tax : taxes_) {
        if (tax && tax->fixed() == fixed)
            out.append(tax->copy());
    }
    return out;
}

void AccountSettings::tutorialSettingsUpdateAmount(bool amount, bool catalog, bool salesHistory,
                                                   bool buyers, bool editCatalog, bool subusers,
                                                   bool configuration) {
    const bool done[] = {amount,      catalog,  salesHistory, buyers,
                         editCatalog, subusers, configuration};
    bool* flags[] = {&tutorialAmount_,       &tutorialCatalog_,     &tutorialSalesHistory_,
                     &tutorialBuyers_,       &tutorialEditCatalog_, &tutorialSubusers_,
                     &tutorialConfiguration_};
    UserDefaults& store = UserDefaults::standardUserDefaults();
    for (int i = 0; i < tutorialKeys().size(); ++i) {
        if (!done[i])
            continue;
        *flags[i] = true;
        store.setObject(QString::number(1), tutorialKeys().at(i));
    }
    store.synchronize();
}

void AccountSettings::tutorialCancelled() {
    tutorialSettingsUpdateAmount(true, true, true, true, true, true, true);
}

void AccountSettings::resetTutorialSettings() {
    tutorialAmount_ = tutorialCatalog_ = tutorialSalesHistory_ = tutorialBuyers_ = false;
    tutorialEditCatalog_ = tutorialSubusers_ = tutorialConfiguration_ = false;
    UserDefaults& store = UserDefaults::standardUserDefaults();
    for (const QString& key : tutorialKeys())
        store.removeObjectForKey(key);
    store.synchronize();
}

int AccountSettings::selectReader(const QString& name) const {
    const QString lower = name.toLower();
    for (const ReaderName& reader : kReaders) {
        if (lower == QLatin1String(reader.name))
            return reader.code;
    }
    return 0;
}

QString AccountSettings::selectedReaderString() const {
    for (const ReaderName& reader : kReaders) {
        if (reader.code == selectedCardReader_)
            return QString::fromLatin1(reader.name);
    }
    return QStringLiteral("drd50");
}

QString AccountSettings::menuBadgeImageName(int unread) {
    return unread >= 10 && unread <= 99 ? QStringLiteral("btn_menu_badge_2.png")
                                        : QStringLiteral("btn_menu_badge_1.png");
}

QRect AccountSettings::menuBadgeCountBox(int unread) {
    int width = 16;
    if (unread == 1)
        width = 17;
    else if (unread >= 10 && unread <= 99)
        width = 22;
    return QRect(16, 0, width, 16);
}

namespace {

// The image's shape (its alpha) filled with the colour, at the image's own size.
QImage tinted(const QImage& source, const QColor& color, const QSize& size, qreal scale) {
    QImage out(size * scale, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(scale);
    out.fill(Qt::transparent);
    if (source.isNull())
        return out;
    QPainter painter(&out);
    const QSizeF own = source.size() / source.devicePixelRatio();
    painter.drawImage(QRectF(QPointF(0, 0), own), source);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), own), color);
    return out;
}

} // namespace

QImage AccountSettings::menuButtonPicture() const {
    const QSize size(38, 26);
    qreal scale = 1.0;
    if (auto* screen = QGuiApplication::primaryScreen())
        scale = screen->devicePixelRatio();
    const QColor color = services::mainColor();
    if (!(feedbackEnabled_ && feedbackUnreadMessages_ > 0))
        return tinted(Bundle::load(QStringLiteral("menu.png")), color, size, scale);

    const int unread = feedbackUnreadMessages_;
    QImage picture = tinted(Bundle::load(menuBadgeImageName(unread)), color, size, scale);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setWeight(QFont::Medium);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(menuBadgeCountBox(unread), Qt::AlignCenter, QString::number(unread));
    return picture;
}

QAbstractButton* AccountSettings::menuButtonImage(QWidget* parent) const {
    auto* button = new QToolButton(parent);
    button->setGeometry(0, 0, 38, 26);
    button->setAutoRaise(true);
    button->setIconSize(QSize(38, 26));
    button->setIcon(QIcon(QPixmap::fromImage(menuButtonPicture())));
    button->setObjectName(QStringLiteral("menuButton"));
    return button;
}
