#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>

#include <QNetworkReply>
#include <QTextBrowser>

// The wallet service's buyer terms, loaded from its address; a tapped link opens outside.
class BuyReaderTermsController : public ViewController {
    Q_OBJECT
public:
    explicit BuyReaderTermsController(QObject* parent = nullptr);
    ~BuyReaderTermsController() override;

    // The terms page's address: TARVELLO_TERMS_URL when set, else the one set here (the demo and
    // tests point it at the sandbox), else the wallet service's page.
    static QString termsAddress();
    static void setTermsAddress(const QString& address);

    void viewDidLoad() override;
    // A link tapped in the page opens outside the application.
    void linkTapped(const QUrl& url);
    bool isLoading() const { return reply_ != nullptr; }

protected:
    QWidget* loadView() override;

private:
    void finished();

    QPointer<QTextBrowser> webView_;
    QPointer<QNetworkReply> reply_;
};
