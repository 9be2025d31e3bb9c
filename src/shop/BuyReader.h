#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>

#include "platform/ui/ImageView.h"
#include <QLabel>
#include <QPushButton>
class StoryboardSegue;

// The reader offer: buy one now, say one was already bought, or skip.
class BuyReader : public ViewController {
    Q_OBJECT
public:
    explicit BuyReader(QObject* parent = nullptr);

    bool fromSaleButton() const { return fromSaleButton_; }
    void setFromSaleButton(bool value) { fromSaleButton_ = value; }
    QString fromWhere() const { return fromWhere_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    bool shouldAutorotate() const override { return false; }

    void buyReader();
    void readerBought();
    void close();
    void continueAction();

protected:
    QWidget* loadView() override;

private:
    bool fromSaleButton_ = false;
    QString fromWhere_;
    QPointer<QLabel> buyReaderTitle_;
    QPointer<QLabel> buyReaderDescription_;
    QPointer<ImageView> readerImage_;
    QPointer<QPushButton> buyNow_;
    QPointer<QPushButton> alreadyBought_;
    QPointer<QPushButton> ommit_;
};
