// Batch, settings and PIN requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"

using namespace EndpointFields;

void APIController::getBatchforUserId(const QString& userId, const QString& token) {
    setFunctionName(14);
    loadUrl(QStringLiteral("/batch/getPaymentMethods.json"), userFields(userId, token));
}

void APIController::getBatchHistoryforUserId(const QString& userId, const QString& token) {
    setFunctionName(15);
    loadUrl(QStringLiteral("/batchs/getBatchClousures.json"), userFields(userId, token));
}

void APIController::closeBatchWithInstallmentId(const QString& installmentId, const QString& userId,
                                                const QString& token) {
    setFunctionName(13);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("installmentId"), installmentId);
    loadUrl(QStringLiteral("/batch/closeBatch.json"), fields);
}

void APIController::updateSetupSettingsWithUserId(const QString& userId, const QString& token,
                                                  bool buyersOn, bool catalogOn, bool tipsOn,
                                                  bool subusersOn) {
    setFunctionName(21);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("buyersOn"), flag(buyersOn));
    fields.insert(QStringLiteral("catalogOn"), flag(catalogOn));
    fields.insert(QStringLiteral("tipsOn"), flag(tipsOn));
    fields.insert(QStringLiteral("subusersOn"), flag(subusersOn));
    loadUrl(QStringLiteral("/settings/initialSetup.json"), fields);
}

std::optional<QByteArray> APIController::getSettingsWithUserId(const QString& userId,
                                                               const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/settings/getSetting.json"),
                              userFields(userId, token));
}

void APIController::updateUserPicture(const QImage& image, const QString& userId,
                                      const QString& token) {
    setFunctionName(22);
    QVariantMap fields = userFields(userId, token);
    if (!image.isNull())
        fields.insert(QStringLiteral("profileImage"), image);
    else
        fields.insert(QStringLiteral("deleteProfileImage"), QStringLiteral("1"));
    loadUrl(QStringLiteral("/subsidiaries/uploadImage.json"), fields);
}

void APIController::updateTaxSettingsDefaultTaxRate(float rate, const QString& name,
                                                    const QString& userId, const QString& token) {
    setFunctionName(23);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("percentage"), static_cast<double>(rate));
    fields.insert(QStringLiteral("name"), name);
    loadUrl(QStringLiteral("/settings/updatePredefinedTax.json"), fields);
}

void APIController::updateTipSettingsAllowTips(bool allowTips, const QString& userId,
                                               const QString& token) {
    setFunctionName(allowTips ? 24 : 25);
    loadUrl(allowTips ? QStringLiteral("/settings/setAvailableTip.json")
                      : QStringLiteral("/settings/setNotAvailableTip.json"),
            userFields(userId, token));
}

void APIController::updateTipSettingsDefaultTip(int defaultTip, const QString& userId,
                                                const QString& token) {
    setFunctionName(26);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("predefinedTipIndex"), QString::number(defaultTip));
    loadUrl(QStringLiteral("/settings/updatePredefinedTip.json"), fields);
}

void APIController::updateTipSettingsWithTipAndTipAndTip(float tip1, float tip2, float tip3,
                                                         const QString& userId,
                                                         const QString& token) {
    setFunctionName(27);
    QVariantMap fields = userFields(userId, token);
    fields.insert(
        QStringLiteral("percentages"),
        QStringLiteral("%1, %2, %3").arg(twoDecimals(tip1), twoDecimals(tip2), twoDecimals(tip3)));
    loadUrl(QStringLiteral("/settings/setTipsToShow.json"), fields);
}

void APIController::updateTipSettingsMandatoryTip(float mandatoryTip, const QString& userId,
                                                  const QString& token) {
    setFunctionName(28);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("percentage"), twoDecimals(mandatoryTip));
    loadUrl(QStringLiteral("/settings/updateObligatoryTipPercentage.json"), fields);
}

void APIController::updateDiscountSettingsAllowDiscounts(bool allowDiscounts, const QString& userId,
                                                         const QString& token) {
    setFunctionName(allowDiscounts ? 29 : 30);
    loadUrl(allowDiscounts ? QStringLiteral("/settings/setAvailableDiscount.json")
                           : QStringLiteral("/settings/setNotAvailableDiscount.json"),
            userFields(userId, token));
}

void APIController::updateDiscountSettingsWithDiscountAndDiscountAndDiscount(float discount1,
                                                                             float discount2,
                                                                             float discount3,
                                                                             const QString& userId,
                                                                             const QString& token) {
    setFunctionName(31);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("percentages"),
                  QStringLiteral("%1, %2, %3")
                      .arg(twoDecimals(discount1), twoDecimals(discount2), twoDecimals(discount3)));
    loadUrl(QStringLiteral("/settings/setDiscountsToShow.json"), fields);
}

void APIController::updateDiscountSettingsDefaultDiscount(int defaultDiscount,
                                                          const QString& userId,
                                                          const QString& token) {
    setFunctionName(32);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("predefinedDiscountIndex"), QString::number(defaultDiscount));
    loadUrl(QStringLiteral("/settings/updatePredefinedDiscount.json"), fields);
}

namespace {
QVariantMap availability(bool value, const QString& userId, const QString& token) {
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("isAvailable"), flag(value));
    return fields;
}
} // namespace

void APIController::updateSignaturePresent(bool present, const QString& userId,
                                           const QString& token) {
    setFunctionName(present ? 33 : 34);
    loadUrl(QStringLiteral("/settings/updateSignAvailability.json"),
            availability(present, userId, token));
}

void APIController::updateCatalogEnabled(bool enabled, const QString& userId,
                                         const QString& token) {
    setFunctionName(enabled ? 35 : 36);
    loadUrl(QStringLiteral("/settings/updateCatalogAvailability.json"),
            availability(enabled, userId, token));
}

void APIController::updateBuyersEnabled(bool enabled, const QString& userId, const QString& token) {
    setFunctionName(enabled ? 37 : 38);
    loadUrl(QStringLiteral("/settings/updateBuyersAvailability.json"),
            availability(enabled, userId, token));
}

void APIController::updateSubusersEnabled(bool enabled, const QString& userId,
                                          const QString& token) {
    setFunctionName(enabled ? 39 : 40);
    loadUrl(QStringLiteral("/settings/updateSubusersAvailability.json"),
            availability(enabled, userId, token));
}

void APIController::tutorialSettingsUpdateUserId(const QString& userId, const QString& token,
                                                 bool amount, bool catalog, bool salesHistory,
                                                 bool buyers, bool editCatalog, bool subusers,
                                                 bool configuration) {
    setFunctionName(41);
    QVariantMap fields = userFields(userId, token);
    const std::pair<bool, const char*> flags[] = {{amount, "tutorialAmount"},
                                                  {catalog, "tutorialCatalog"},
                                                  {salesHistory, "tutorialSalesHistory"},
                                                  {buyers, "tutorialBuyers"},
                                                  {editCatalog, "tutorialEditCatalog"},
                                                  {subusers, "tutorialSubusers"},
                                                  {configuration, "tutorialConfiguration"}};
    for (const auto& [on, key] : flags)
        if (on)
            fields.insert(QString::fromLatin1(key), QStringLiteral("1"));
    loadUrl(QStringLiteral("/settings/updateTutorialSettings.json"), fields);
}

void APIController::updateFeedbackSettings(bool enabled, const QString& userId,
                                           const QString& token) {
    setFunctionName(42);
    loadUrl(enabled ? QStringLiteral("/account/feedback/enabled")
                    : QStringLiteral("/account/feedback/disabled"),
            userFields(userId, token));
}

void APIController::setApplicationLanguage(const QString& language, const QString& userId,
                                           const QString& token) {
    setFunctionName(43);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("language"), language);
    loadUrl(QStringLiteral("/settings/setLanguage.json"), fields);
}

void APIController::setExchangeRate(float rate, const QString& currencyCode, const QString& userId,
                                    const QString& token) {
    setFunctionName(44);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("code"), currencyCode);
    fields.insert(QStringLiteral("rate"), twoDecimals(rate));
    loadUrl(QStringLiteral("/settings/updateExchangeRate.json"), fields);
}

void APIController::updateSettingsCatalogOn(bool catalogOn, const QString& userId,
                                            const QString& token) {
    setFunctionName(50);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("mode"),
                  catalogOn ? QStringLiteral("list") : QStringLiteral("simple"));
    loadUrl(QStringLiteral("/settings/setMode.json"), fields);
}

void APIController::setPin(const QString& pin, const QString& userId, const QString& token) {
    setFunctionName(10);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("pin"), pin);
    loadUrl(QStringLiteral("/users/setPin.json"), fields);
}

void APIController::checkPin(const QString& pin, const QString& userId, const QString& token) {
    setFunctionName(11);
    QVariantMap fields = userFields(userId, token);
    fields.insert(QStringLiteral("pin"), pin);
    loadUrl(QStringLiteral("/users/checkPin.json"), fields);
}

void APIController::getAgreementNumbersForToken(const QString& token) {
    setFunctionName(12);
    getUrl(QStringLiteral("/agreements"), QVariantMap{{QStringLiteral("token"), token}});
}
