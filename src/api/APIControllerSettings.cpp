// Batch, settings and PIN requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"

using namespace EndpointFields;

void APIController::getBatchforUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBatch, QStringLiteral("/batch/getPaymentMethods.json"),
                    userFields(userId, token));
}

void APIController::getBatchHistoryforUserId(const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::GetBatchClosures,
                    QStringLiteral("/batchs/getBatchClousures.json"), userFields(userId, token));
}

void APIController::closeBatchWithInstallmentId(const QString& installmentId, const QString& userId,
                                                const QString& token) {
    loadUrlWithCode(FunctionCode::CloseBatch, QStringLiteral("/batch/closeBatch.json"),
                    userFields(userId, token, {{QStringLiteral("installmentId"), installmentId}}));
}

void APIController::updateSetupSettingsWithUserId(const QString& userId, const QString& token,
                                                  bool buyersOn, bool catalogOn, bool tipsOn,
                                                  bool subusersOn) {
    loadUrlWithCode(FunctionCode::InitialSetup, QStringLiteral("/settings/initialSetup.json"),
                    userFields(userId, token,
                               {{QStringLiteral("buyersOn"), flag(buyersOn)},
                                {QStringLiteral("catalogOn"), flag(catalogOn)},
                                {QStringLiteral("tipsOn"), flag(tipsOn)},
                                {QStringLiteral("subusersOn"), flag(subusersOn)}}));
}

std::optional<QByteArray> APIController::getSettingsWithUserId(const QString& userId,
                                                               const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/settings/getSetting.json"),
                              userFields(userId, token));
}

void APIController::updateUserPicture(const QImage& image, const QString& userId,
                                      const QString& token) {
    QVariantMap fields = userFields(userId, token);
    if (!image.isNull())
        fields.insert(QStringLiteral("profileImage"), image);
    else
        fields.insert(QStringLiteral("deleteProfileImage"), QStringLiteral("1"));
    loadUrlWithCode(FunctionCode::UploadImage, QStringLiteral("/subsidiaries/uploadImage.json"),
                    fields);
}

void APIController::updateTaxSettingsDefaultTaxRate(float rate, const QString& name,
                                                    const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::UpdatePredefinedTax,
                    QStringLiteral("/settings/updatePredefinedTax.json"),
                    userFields(userId, token,
                               {{QStringLiteral("percentage"), static_cast<double>(rate)},
                                {QStringLiteral("name"), name}}));
}

void APIController::updateTipSettingsAllowTips(bool allowTips, const QString& userId,
                                               const QString& token) {
    loadUrlWithCode(allowTips ? FunctionCode::SetAvailableTip : FunctionCode::SetNotAvailableTip,
                    allowTips ? QStringLiteral("/settings/setAvailableTip.json")
                              : QStringLiteral("/settings/setNotAvailableTip.json"),
                    userFields(userId, token));
}

void APIController::updateTipSettingsDefaultTip(int defaultTip, const QString& userId,
                                                const QString& token) {
    loadUrlWithCode(
        FunctionCode::UpdatePredefinedTip, QStringLiteral("/settings/updatePredefinedTip.json"),
        userFields(userId, token,
                   {{QStringLiteral("predefinedTipIndex"), QString::number(defaultTip)}}));
}

void APIController::updateTipSettingsWithTipAndTipAndTip(float tip1, float tip2, float tip3,
                                                         const QString& userId,
                                                         const QString& token) {
    loadUrlWithCode(
        FunctionCode::SetTipsToShow, QStringLiteral("/settings/setTipsToShow.json"),
        userFields(userId, token,
                   {{QStringLiteral("percentages"),
                     QStringLiteral("%1, %2, %3")
                         .arg(twoDecimals(tip1), twoDecimals(tip2), twoDecimals(tip3))}}));
}

void APIController::updateTipSettingsMandatoryTip(float mandatoryTip, const QString& userId,
                                                  const QString& token) {
    loadUrlWithCode(
        FunctionCode::UpdateObligatoryTipPercentage,
        QStringLiteral("/settings/updateObligatoryTipPercentage.json"),
        userFields(userId, token, {{QStringLiteral("percentage"), twoDecimals(mandatoryTip)}}));
}

void APIController::updateDiscountSettingsAllowDiscounts(bool allowDiscounts, const QString& userId,
                                                         const QString& token) {
    loadUrlWithCode(allowDiscounts ? FunctionCode::SetAvailableDiscount
                                   : FunctionCode::SetNotAvailableDiscount,
                    allowDiscounts ? QStringLiteral("/settings/setAvailableDiscount.json")
                                   : QStringLiteral("/settings/setNotAvailableDiscount.json"),
                    userFields(userId, token));
}

void APIController::updateDiscountSettingsWithDiscountAndDiscountAndDiscount(float discount1,
                                                                             float discount2,
                                                                             float discount3,
                                                                             const QString& userId,
                                                                             const QString& token) {
    loadUrlWithCode(
        FunctionCode::SetDiscountsToShow, QStringLiteral("/settings/setDiscountsToShow.json"),
        userFields(
            userId, token,
            {{QStringLiteral("percentages"),
              QStringLiteral("%1, %2, %3")
                  .arg(twoDecimals(discount1), twoDecimals(discount2), twoDecimals(discount3))}}));
}

void APIController::updateDiscountSettingsDefaultDiscount(int defaultDiscount,
                                                          const QString& userId,
                                                          const QString& token) {
    loadUrlWithCode(FunctionCode::UpdatePredefinedDiscount,
                    QStringLiteral("/settings/updatePredefinedDiscount.json"),
                    userFields(userId, token,
                               {{QStringLiteral("predefinedDiscountIndex"),
                                 QString::number(defaultDiscount)}}));
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
    loadUrlWithCode(present ? FunctionCode::SignAvailable : FunctionCode::SignNotAvailable,
                    QStringLiteral("/settings/updateSignAvailability.json"),
                    availability(present, userId, token));
}

void APIController::updateCatalogEnabled(bool enabled, const QString& userId,
                                         const QString& token) {
    loadUrlWithCode(enabled ? FunctionCode::CatalogAvailable : FunctionCode::CatalogNotAvailable,
                    QStringLiteral("/settings/updateCatalogAvailability.json"),
                    availability(enabled, userId, token));
}

void APIController::updateBuyersEnabled(bool enabled, const QString& userId, const QString& token) {
    loadUrlWithCode(enabled ? FunctionCode::BuyersAvailable : FunctionCode::BuyersNotAvailable,
                    QStringLiteral("/settings/updateBuyersAvailability.json"),
                    availability(enabled, userId, token));
}

void APIController::updateSubusersEnabled(bool enabled, const QString& userId,
                                          const QString& token) {
    loadUrlWithCode(enabled ? FunctionCode::SubusersAvailable : FunctionCode::SubusersNotAvailable,
                    QStringLiteral("/settings/updateSubusersAvailability.json"),
                    availability(enabled, userId, token));
}

void APIController::tutorialSettingsUpdateUserId(const QString& userId, const QString& token,
                                                 bool amount, bool catalog, bool salesHistory,
                                                 bool buyers, bool editCatalog, bool subusers,
                                                 bool configuration) {
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
    loadUrlWithCode(FunctionCode::UpdateTutorialSettings,
                    QStringLiteral("/settings/updateTutorialSettings.json"), fields);
}

void APIController::updateFeedbackSettings(bool enabled, const QString& userId,
                                           const QString& token) {
    loadUrlWithCode(FunctionCode::FeedbackAvailability,
                    enabled ? QStringLiteral("/account/feedback/enabled")
                            : QStringLiteral("/account/feedback/disabled"),
                    userFields(userId, token));
}

void APIController::setApplicationLanguage(const QString& language, const QString& userId,
                                           const QString& token) {
    loadUrlWithCode(FunctionCode::SetLanguage, QStringLiteral("/settings/setLanguage.json"),
                    userFields(userId, token, {{QStringLiteral("language"), language}}));
}

void APIController::setExchangeRate(float rate, const QString& currencyCode, const QString& userId,
                                    const QString& token) {
    loadUrlWithCode(FunctionCode::UpdateExchangeRate,
                    QStringLiteral("/settings/updateExchangeRate.json"),
                    userFields(userId, token,
                               {{QStringLiteral("code"), currencyCode},
                                {QStringLiteral("rate"), twoDecimals(rate)}}));
}

void APIController::updateSettingsCatalogOn(bool catalogOn, const QString& userId,
                                            const QString& token) {
    loadUrlWithCode(FunctionCode::SetMode, QStringLiteral("/settings/setMode.json"),
                    userFields(userId, token,
                               {{QStringLiteral("mode"),
                                 catalogOn ? QStringLiteral("list") : QStringLiteral("simple")}}));
}

void APIController::setPin(const QString& pin, const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SetPin, QStringLiteral("/users/setPin.json"),
                    userFields(userId, token, {{QStringLiteral("pin"), pin}}));
}

void APIController::checkPin(const QString& pin, const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::CheckPin, QStringLiteral("/users/checkPin.json"),
                    userFields(userId, token, {{QStringLiteral("pin"), pin}}));
}

void APIController::getAgreementNumbersForToken(const QString& token) {
    getUrlWithCode(FunctionCode::GetAgreements, QStringLiteral("/agreements"),
                   QVariantMap{{QStringLiteral("token"), token}});
}
