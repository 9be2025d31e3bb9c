#include "model/ModelTexts.h"

#include "SDK/AccountSettings.h"

#include <QApplication>
#include <QDebug>
#include <QHash>
#include <QMessageBox>

namespace {
ModelTexts::AlertPresenter& presenter() {
    static ModelTexts::AlertPresenter current;
    return current;
}

// The entries of the text table that the model classes read, until the table itself serves them.
QString tableText(const QString& file, const QString& key, bool english) {
    struct Entry {
        const char* es;
        const char* en;
    };
    static const QHash<QString, Entry> table{
        {"CatalogSale.maximumPrice", {"El precio máximo es %@", "The maximum price is %@"}},
        {"TaxAmounts.accept", {"Aceptar", "OK"}},
        {"PickPaymentMethod.taxes", {"Impuestos", "Tax"}},
    };
    const auto it = table.constFind(file + QLatin1Char('.') + key);
    if (it == table.constEnd())
        return QString();
    return QString::fromUtf8(english ? it->en : it->es);
}
} // namespace

QString ModelTexts::textForFile(const QString& file, const QString& key) {
    const bool english = AccountSettings::instance().appLanguage() == QLatin1String("en");
    return tableText(file, key, english);
}

void ModelTexts::showAlert(const QString& title, const QString& message, const QString& button) {
    if (presenter()) {
        presenter()(title, message, button);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qInfo().noquote() << "Alert:" << title << message;
        return;
    }
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, message);
    box->addButton(button, QMessageBox::AcceptRole);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(true);
    box->open();
}

void ModelTexts::setAlertPresenter(AlertPresenter presenter_) {
    presenter() = std::move(presenter_);
}
