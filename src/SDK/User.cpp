#include "SDK/User.h"

#include <QMutex>

User::User() {
    reset();
}

User& User::instance() {
    static QMutex lock;
    static std::unique_ptr<User> shared;
    QMutexLocker locker(&lock);
    if (!shared)
        shared = std::make_unique<User>();
    return *shared;
}

void User::reset() {
    isAccountActive_ = false;
    userId_ = token_ = emailAddress_ = firstName_ = lastName_ = QString("");
    image_ = QImage();
    imageURL_ = QString("");
    birthdate_ = QDateTime();
    address_ = city_ = zipCode_ = phone_ = occupation_ = countryCode_ = QString("");
    provinceId_ = 0;
    countryCodeNumeric_ = QStringLiteral("484");
    canUseLendings_ = false;
    branches_ = QVariantList();
    branchName_ = QString("");
    branchId_ = 0;
    helpURLs_ = QVariantMap();
    termsURLs_ = QVariantMap();
    readerPurchased_ = false;
    isLoggedIn_ = false;
    sessionTimeout_ = 0;
    termsAccepted_ = true;
}

std::unique_ptr<User> User::copy() const {
    return std::make_unique<User>(*this);
}
