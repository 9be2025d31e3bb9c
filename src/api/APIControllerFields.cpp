// Field-building helpers shared by the endpoint operations.
#include "api/APIControllerFields.h"

#include "model/values/DecimalNumber.h"
#include "platform/core/MainThread.h"
#include "platform/core/Values.h"

#include <QJsonDocument>

namespace EndpointFields {

QVariantMap userFields(const QString& userId, const QString& token, const QVariantMap& more) {
    QVariantMap fields{{QStringLiteral("userId"), userId}, {QStringLiteral("token"), token}};
    fields.insert(more);
    return fields;
}

QString flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString integer(int value) {
    return QString::number(value);
}

QString money(double value) {
    return DecimalNumber::centsText(value);
}

QString sixDecimals(double value) {
    return Values::printfDouble("%lf", value);
}

QString fourDecimals(double value) {
    return Values::printfDouble("%.4lf", value);
}

QString twoDecimals(double value) {
    return Values::printfDouble("%.2lf", value);
}

QString trimmedSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString binOf(const QString& number) {
    return number.left(6);
}

QString compactJson(const QVariant& value) {
    return QString::fromUtf8(QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact));
}

void readOnMainThread(const std::function<void()>& read) {
    if (!QCoreApplication::instance() || MainThread::isCurrent()) {
        read();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), read, Qt::BlockingQueuedConnection);
}

} // namespace EndpointFields
