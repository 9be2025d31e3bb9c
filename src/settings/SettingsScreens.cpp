#include "settings/SettingsScreens.h"

#include "reader/ReaderScreens.h"
#include "settings/configuration/ConfigurationController.h"
#include "settings/configuration/SettingsSubScreen.h"
#include "settings/history/SaleHistoryFilterController.h"

void SettingsScreens::registerScreens() {
    const QString storyboard = configurationStoryboard;
    const QString main = configurationMain.identifier;
    Storyboard::registerViewController(storyboard, main,
                                       [] { return new ConfigurationController(); });
    Storyboard::setInitialViewController(storyboard, main);

    // Sub-screens with a title and a back button, by segue.
    const struct {
        const char* segue;
        const char* identifier;
        const char* section;
        const char* key;
    } subScreens[] = {
        {"valuesSegue", "Values", "Configuration", "discountsLabel"},
        {"languageSegue", "Language", "Configuration", "languageLabel"},
        {"exchangeSegue", "Exchange", "Configuration", "exchangeLabel"},
        {"branchSegue", "Branch", "Configuration", "branchLabel"},
        {"bankSegue", "Bank", "Configuration", "bankLabel"},
        {"accountTypeSegue", "AccountType", "AccountType", "accountType"},
        {"agreementsSegue", "Agreements", "Agreements", "paymentAgreements"},
        {"pinSegue", "Pin", "Configuration", "pinLabel"},
    };
    for (const auto& screen : subScreens) {
        const QString identifier = QString::fromLatin1(screen.identifier);
        const QString section = QString::fromLatin1(screen.section);
        const QString key = QString::fromLatin1(screen.key);
        Storyboard::registerViewController(
            storyboard, identifier, [section, key] { return new SettingsSubScreen(section, key); });
        Storyboard::registerSegue(storyboard, main, QString::fromLatin1(screen.segue),
                                  {storyboard, identifier, SegueKind::Push, {}});
    }
    Storyboard::registerSegue(storyboard, main, QStringLiteral("readersSegue"),
                              {QString(ReaderScreens::readers.storyboard),
                               QString(ReaderScreens::readers.identifier),
                               SegueKind::Push,
                               {}});
    // The sales history's period filter, shown modally in a navigation controller.
    Storyboard::registerViewController(QStringLiteral("History"),
                                       QStringLiteral("SaleHistoryFilter"),
                                       [] { return new SaleHistoryFilterController(); });
}
