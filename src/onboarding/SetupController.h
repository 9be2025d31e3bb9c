#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/texts/Language.h"

#include <QPointer>

class QCheckBox;
class QLabel;
class QPushButton;

// First-run feature setup: four switches (customers, catalog, tips, sales staff), each with
// illustrated help pages, sent to the back end with done.
class SetupController : public ViewController, public APIControllerDelegate {
    Q_OBJECT
public:
    static constexpr int kFadeInMs = 300;
    static constexpr int kSlideMs = 500;
    static constexpr int kPageMs = 500;
    static constexpr int kCloseMs = 200;

    explicit SetupController(QObject* parent = nullptr);
    ~SetupController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void done();
    // The help of the feature whose more-info button is the sender.
    void moreInfo(QPushButton* sender);
    void nextPageHelp();
    void previousPageHelp();
    void closeMoreInfo();
    bool moreInfoDisplayed() const { return moreInfoDisplayed_; }
    int helpDicPage() const { return helpDicPage_; }
    // The help overlay over the window, while it is there.
    QWidget* moreInfoContainer() const { return container_; }

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

protected:
    QWidget* loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Feature {
        const char* name;  // outlet prefix: clients, catalog, tips, subusers
        const char* title; // ("Setup", key) of the title
        const char* desc;
        QLabel* titleLabel = nullptr;
        QLabel* descLabel = nullptr;
        QPushButton* button = nullptr;
        QCheckBox* toggle = nullptr;
    };
    QWidget* makePage(QWidget* card, int page) const;
    void turnHelpPage(bool forward);
    void redrawMoreInfo(bool forward);
    void updateDots();
    void finishSetup();

    Feature features_[4];
    QLabel* headerLabel_ = nullptr;
    QLabel* navBar_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    HelpRecord helpDic_;
    QString helpTitle_;
    int helpDicPage_ = 0;
    bool moreInfoDisplayed_ = false;
    Clock::Handle pageAnimation_ = 0;
    bool sending_ = false;
    QPointer<QWidget> container_;
    QPointer<QWidget> card_;
    QPoint pressAt_;
};
