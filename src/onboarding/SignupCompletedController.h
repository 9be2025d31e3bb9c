#pragma once

#include "platform/ui/ViewController.h"
#include "ui_kit/ImageDownloader.h"

class ImageView;
class QLabel;
class QPushButton;

// Congratulates the merchant once signup is complete and shows the user's picture.
class SignupCompletedController : public ViewController, public ImageDownloaderDelegate {
    Q_OBJECT
public:
    explicit SignupCompletedController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // Continue: the first-run setup when a session is loaded, else back to the login screen.
    void continueTapped();

    void downloadDidFinishDownloading(ImageDownloader* downloader) override;
    void download(ImageDownloader* downloader, const std::optional<TarvelloError>& error) override;

protected:
    QWidget* loadView() override;

private:
    QLabel* titleBar_ = nullptr;
    QLabel* headerTitle_ = nullptr;
    QLabel* headerText_ = nullptr;
    QPushButton* continueButton_ = nullptr;
    ImageView* picture_ = nullptr;
    QLabel* pictureBorder_ = nullptr;
};
